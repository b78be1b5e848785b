// The main window: its menu tree, placement from the settings, the browser's
// size rule, what closing does to the other windows and to the store, and
// dropping a project on it.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QWebEngineView>

#include "ui/window_geometry.h"
#include "ui_harness.h"

using namespace sondrel;
using namespace sondrel::testing;

namespace {
// One line per menu entry: "name|caption", separators as "name|-".
QStringList MenuTree(QMainWindow& window)
{
    QStringList lines;
    for (QAction* top : window.menuBar()->actions()) {
        lines << top->menu()->objectName() + "|" + top->text();
        for (QAction* item : top->menu()->actions())
            lines << "  " + item->objectName() + "|" + (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    return lines;
}

int Px(double twips, const QWidget& widget)
{
    return TwipsToPixels(twips, TwipsPerPixelOf(widget));
}

void DropFiles(QWidget& target, const QList<QUrl>& urls, bool* enterAccepted)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(20, 60), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    *enterAccepted = enter.isAccepted();
    if (*enterAccepted) {
        QDropEvent drop(QPointF(20, 60), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &drop);
    }
}
}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void menuTreeHasTheCaptionsInOrderWithoutShortcuts()
    {
        UiHarness ui;
        frmMain& window = ui.StartMain();
        QCOMPARE(window.windowTitle(), QStringLiteral("Sondrel"));
        QCOMPARE(MenuTree(window), QStringList({"mnuFile|&File", "  mnuFileConvert|&Convert...",
                                                "  mnuFilePrint|Print...", "  mnuBar2|-",
                                                "  mnuFilePrefs|&Preferences", "  mnuFileBar0|-",
                                                "  mnuFileExit|E&xit", "mnuHelp|&Help",
                                                "  mnuHelpContents|Contents", "  mnuHelpAbout|&About "}));
        for (QAction* action : window.findChildren<QAction*>())
            QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->text()));
    }

    void firstRunPlacesTheWindowAtTheDefaultsAndShowsTheHelpPage()
    {
        UiHarness ui;
        frmMain& window = ui.StartMain();
        const QRect frame = window.frameGeometry();
        QCOMPARE(frame, QRect(Px(1000, window), Px(1000, window), Px(6500, window), Px(6500, window)));
        QCOMPARE(window.Browser()->pos(), QPoint(0, 0));
        QCOMPARE(window.Browser()->size(), QSize(Px(6500 - 80, window), Px(6500 - 780, window)));
        QTRY_COMPARE_WITH_TIMEOUT(window.Browser()->url(), QUrl::fromLocalFile(ui.HelpPagePath()), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(window.Browser()->title(), QStringLiteral("Sondrel Help"), 30000);
        QVERIFY(ui.window->ConversionDialog() == nullptr);
        QVERIFY(ui.window->PreferencesDialog() == nullptr);
    }

    void aStoredPlacementIsAppliedAndStoredBackOnExit()
    {
        UiHarness ui;
        const std::pair<const char*, const char*> stored[] = {
            {"MainLeft", "1500"}, {"MainTop", "750"}, {"MainWidth", "9000"}, {"MainHeight", "7207.5"}};
        for (const auto& [key, value] : stored)
            ui.store.values[StoreKey(key)] = value;
        frmMain& window = ui.StartMain();
        QCOMPARE(window.frameGeometry(), QRect(Px(1500, window), Px(750, window), Px(9000, window), Px(7207.5, window)));
        QCOMPARE(window.Browser()->size(), QSize(Px(9000 - 80, window), Px(7207.5 - 780, window)));
        QVERIFY(window.frameGeometry() != window.geometry());  // the frame counts

        ui.paths = {"/p.rpp", "/o.htm", "/t.htm"};
        ui.preferences.ListSeparator = "Comma";
        window.move(Px(2000, window), window.pos().y());
        ui.Trigger("mnuFileExit");
        QVERIFY(!window.isVisible());
        QCOMPARE(ui.store.writtenKeys,
                 std::vector<std::string>({"MainLeft", "MainTop", "MainWidth", "MainHeight", "LastHTMLFile",
                                           "LastReaperFile", "LastTemplateFile", "ListSeparator", "DateFormat",
                                           "TimeFormat"}));
        QCOMPARE(std::stod(ui.store.values[StoreKey("MainLeft")]), Px(2000, window) * TwipsPerPixelOf(window));
        // The size was not changed: it is stored as loaded, not as the pixels' twips.
        QCOMPARE(std::stod(ui.store.values[StoreKey("MainWidth")]), 9000.0);
        QCOMPARE(std::stod(ui.store.values[StoreKey("MainHeight")]), 7207.5);
        QCOMPARE(ui.store.values[StoreKey("LastReaperFile")], std::string("/p.rpp"));
        QCOMPARE(ui.store.values[StoreKey("ListSeparator")], std::string("Comma"));
    }

    void browserSizeRuleHasIndependentThresholds_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<QSize>("expected");
        // 15 twips per pixel; the browser starts at 100 x 100 pixels.
        QTest::newRow("both follow") << 6500.0 << 6500.0 << QSize(428, 381);
        QTest::newRow("height at 780 stays") << 6500.0 << 780.0 << QSize(428, 100);
        QTest::newRow("height just above 780") << 6500.0 << 795.0 << QSize(428, 1);
        QTest::newRow("width at 50 stays") << 50.0 << 6500.0 << QSize(100, 381);
        QTest::newRow("width 51 clamps at zero") << 51.0 << 6500.0 << QSize(0, 381);
        QTest::newRow("width 80 gives zero") << 80.0 << 6500.0 << QSize(0, 381);
        QTest::newRow("neither") << 0.0 << 0.0 << QSize(100, 100);
    }

    void browserSizeRuleHasIndependentThresholds()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(QSize, expected);
        QCOMPARE(BrowserSizeForOuterSize(width, height, QSize(100, 100), 15.0), expected);
    }

    void twipsFollowTheScreensRealDotsPerInch()
    {
        QCOMPARE(TwipsPerPixel(96), 15.0);
        QCOMPARE(TwipsPerPixel(144), 10.0);
        QCOMPARE(TwipsToPixels(1000, 15.0), 67);
        QCOMPARE(PixelsToTwips(650, 10.0), 6500.0f);
    }

    void resizingTheWindowResizesTheBrowser()
    {
        UiHarness ui;
        frmMain& window = ui.StartMain();
        // The browser keeps the same margin to the window's outer size as it grows.
        const QSize margin = window.frameGeometry().size() - window.Browser()->size();
        window.resize(Px(12000, window), Px(9000, window));
        QTRY_VERIFY(window.frameGeometry().width() >= Px(12000, window));
        QTRY_COMPARE(window.frameGeometry().size() - window.Browser()->size(), margin);
        QCOMPARE(window.Browser()->pos(), QPoint(0, 0));
    }

    void closingWhileMinimisedWritesNothing()
    {
        UiHarness ui;
        frmMain& window = ui.StartMain();
        ui.Trigger("mnuFilePrefs");
        ui.preferences.DateFormat = "Long";
        ui.paths.LastReaperFile = "/converted/this/run.rpp";
        window.showMinimized();
        QTRY_VERIFY(window.isMinimized());
        window.close();
        QVERIFY(ui.store.writtenKeys.empty());
        QVERIFY(ui.store.values.empty());
    }

    void closingWhileMaximisedStoresTheMaximisedBounds()
    {
        UiHarness ui;
        frmMain& window = ui.StartMain();
        window.showMaximized();
        QTRY_VERIFY(window.isMaximized());
        QTRY_VERIFY(window.frameGeometry().width() > Px(6500, window));
        const QRect maximised = window.frameGeometry();
        window.close();
        const double tpp = TwipsPerPixelOf(window);
        QCOMPARE(std::stod(ui.store.values[StoreKey("MainWidth")]), maximised.width() * tpp);
        QCOMPARE(std::stod(ui.store.values[StoreKey("MainHeight")]), maximised.height() * tpp);
    }

    void closingClosesTheOtherWindowsLastLoadedFirst()
    {
        UiHarness ui;
        frmMain& window = ui.StartMain();
        ui.Trigger("mnuFileConvert");
        for (const char* field : {"lbReaperFile", "lbHTMLFile"})
            ui.window->ConversionDialog()->findChild<QLineEdit*>(field)->setText("/would/not/be/converted");
        ui.Trigger("mnuFilePrefs");
        ui.window->PreferencesDialog()->hide();  // hidden windows are loaded all the same
        ui.Trigger("mnuHelpAbout");
        QStringList closed;
        for (QWidget* dialog : std::initializer_list<QWidget*>{ui.window->ConversionDialog(),
                                                               ui.window->PreferencesDialog(), ui.window->AboutBox()})
            connect(dialog, &QObject::destroyed, this,
                    [&closed, name = dialog->objectName()] { closed << name; });
        window.close();
        QTRY_COMPARE(closed, QStringList({"frmAbout", "frmPreferences", "frmConvert"}));
        QVERIFY(ui.messages.messages.empty());
        QCOMPARE(ui.store.values[StoreKey("LastReaperFile")], std::string());
    }

    void droppingAProjectOpensTheConversionDialogWithIt()
    {
        UiHarness ui;
        ui.store.values[StoreKey("LastHTMLFile")] = "/remembered/out.htm";
        frmMain& window = ui.StartMain();
        bool accepted = false;
        DropFiles(window, {QUrl::fromLocalFile("/music/notes.txt")}, &accepted);
        QVERIFY(!accepted);
        QVERIFY(window.ConversionDialog() == nullptr);

        DropFiles(window, {QUrl::fromLocalFile("/music/Band Session.RPP")}, &accepted);
        QVERIFY(accepted);
        QVERIFY(window.ConversionDialog() != nullptr);
        QVERIFY(window.ConversionDialog()->isVisible());
        QCOMPARE(window.ConversionDialog()->findChild<QLineEdit*>("lbReaperFile")->text(),
                 QStringLiteral("/music/Band Session.RPP"));
        QCOMPARE(window.ConversionDialog()->findChild<QLineEdit*>("lbHTMLFile")->text(),
                 QStringLiteral("/remembered/out.htm"));
        QVERIFY(!window.Browser()->acceptDrops());
    }
};

SONDREL_UI_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
