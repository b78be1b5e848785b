// The preferences dialog opened from the File menu: what it shows, and what
// OK, Cancel, Defaults and the close box do to the preferences in memory.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "ui_harness.h"

using namespace sondrel;
using namespace sondrel::testing;

namespace {
QComboBox* List(QWidget* dialog, const char* name)
{
    return dialog->findChild<QComboBox*>(QString::fromLatin1(name));
}

QStringList Selections(QWidget* dialog)
{
    return {List(dialog, "dropListSeperator")->currentText(), List(dialog, "dropDateFormat")->currentText(),
            List(dialog, "dropTimeFormat")->currentText()};
}

void Choose(QWidget* dialog, const QString& separator, const QString& date, const QString& time)
{
    List(dialog, "dropListSeperator")->setCurrentText(separator);
    List(dialog, "dropDateFormat")->setCurrentText(date);
    List(dialog, "dropTimeFormat")->setCurrentText(time);
}

void Click(QWidget* dialog, const char* name)
{
    dialog->findChild<QPushButton*>(QString::fromLatin1(name))->click();
}

QStringList Items(QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}
}  // namespace

class PreferencesDialogTest : public QObject {
    Q_OBJECT

private slots:
    void firstOpeningShowsTheDefaultsInPickOnlyLists()
    {
        UiHarness ui;
        ui.StartMain();
        ui.Trigger("mnuFilePrefs");
        frmPreferences* dialog = ui.window->PreferencesDialog();
        QVERIFY(dialog != nullptr);
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->isModal());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Preferences"));
        QCOMPARE(Selections(dialog), QStringList({"<BR>", "Short", "Short"}));
        QCOMPARE(Items(List(dialog, "dropListSeperator")), QStringList({"<BR>", "Space", "Comma", "Tab"}));
        QCOMPARE(Items(List(dialog, "dropDateFormat")), QStringList({"Short", "Long"}));
        QCOMPARE(Items(List(dialog, "dropTimeFormat")), QStringList({"Short", "Long"}));
        for (QComboBox* list : dialog->findChildren<QComboBox*>())
            QVERIFY(!list->isEditable());
        QCOMPARE(dialog->findChild<QLabel*>("Label1")->text(), QStringLiteral("List Seperator:"));
        QCOMPARE(dialog->findChild<QLabel*>("Label2")->text(), QStringLiteral("Date Format:"));
        QCOMPARE(dialog->findChild<QLabel*>("Label3")->text(), QStringLiteral("Time Format:"));
        QCOMPARE(dialog->focusWidget(), dialog->findChild<QPushButton*>("OKButton"));
    }

    void okStoresTheChoicesHidesAndTheyAreSavedOnClose()
    {
        UiHarness ui;
        ui.StartMain();
        ui.Trigger("mnuFilePrefs");
        QPointer<frmPreferences> dialog = ui.window->PreferencesDialog();
        QApplication::setActiveWindow(dialog);
        QTest::keyClick(dialog, Qt::Key_Escape);  // does not close the dialog
        QVERIFY(dialog->isVisible());
        Choose(dialog, "Tab", "Long", "Long");
        auto* ok = dialog->findChild<QPushButton*>("OKButton");
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Return);
        QVERIFY(!dialog.isNull());
        QVERIFY(!dialog->isVisible());
        QCOMPARE(ui.preferences.ListSeparator, std::string("Tab"));
        QCOMPARE(ui.preferences.DateFormat, std::string("Long"));
        QCOMPARE(ui.preferences.TimeFormat, std::string("Long"));
        QVERIFY(ui.store.writtenKeys.empty());

        ui.window->close();
        QCOMPARE(ui.store.values[StoreKey("ListSeparator")], std::string("Tab"));
        QCOMPARE(ui.store.values[StoreKey("DateFormat")], std::string("Long"));
        QCOMPARE(ui.store.values[StoreKey("TimeFormat")], std::string("Long"));
    }

    void defaultsTakeEffectAtOnceEvenWhenCancelled()
    {
        UiHarness ui;
        ui.store.values[StoreKey("ListSeparator")] = "Comma";
        ui.store.values[StoreKey("DateFormat")] = "Long";
        ui.store.values[StoreKey("TimeFormat")] = "Long";
        ui.StartMain();
        ui.Trigger("mnuFilePrefs");
        frmPreferences* dialog = ui.window->PreferencesDialog();
        QCOMPARE(Selections(dialog), QStringList({"Comma", "Long", "Long"}));
        Click(dialog, "cmdDefaults");
        QVERIFY(dialog->isVisible());
        QCOMPARE(Selections(dialog), QStringList({"<BR>", "Short", "Short"}));
        QCOMPARE(ui.preferences.ListSeparator, std::string("<BR>"));
        Click(dialog, "CancelButton");
        QCOMPARE(ui.preferences.ListSeparator, std::string("<BR>"));
        QCOMPARE(ui.preferences.DateFormat, std::string("Short"));
        QCOMPARE(ui.preferences.TimeFormat, std::string("Short"));
    }

    void cancelKeepsThePreferencesAndTheSelectionTheCloseBoxNeither()
    {
        UiHarness ui;
        ui.StartMain();
        ui.Trigger("mnuFilePrefs");
        frmPreferences* dialog = ui.window->PreferencesDialog();
        Choose(dialog, "Space", "Long", "Short");
        Click(dialog, "CancelButton");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(ui.preferences.ListSeparator, std::string("<BR>"));
        QCOMPARE(ui.preferences.DateFormat, std::string("Short"));

        ui.Trigger("mnuFilePrefs");
        QCOMPARE(ui.window->PreferencesDialog(), dialog);
        QCOMPARE(Selections(dialog), QStringList({"Space", "Long", "Short"}));

        // The close box unloads it: the next opening shows the preferences.
        QPointer<frmPreferences> closed = dialog;
        closed->close();
        QTRY_VERIFY(closed.isNull());
        QCOMPARE(ui.preferences.ListSeparator, std::string("<BR>"));
        ui.Trigger("mnuFilePrefs");
        QCOMPARE(Selections(ui.window->PreferencesDialog()), QStringList({"<BR>", "Short", "Short"}));
    }

    void aStoredTextThatIsNoItemShowsTheDefaultItemAndIsKeptUntilOk()
    {
        UiHarness ui;
        ui.store.values[StoreKey("ListSeparator")] = "Semicolon";
        ui.store.values[StoreKey("TimeFormat")] = "long";
        ui.StartMain();
        ui.Trigger("mnuFilePrefs");
        frmPreferences* dialog = ui.window->PreferencesDialog();
        QCOMPARE(Selections(dialog), QStringList({"<BR>", "Short", "Short"}));
        QCOMPARE(ui.preferences.ListSeparator, std::string("Semicolon"));
        Click(dialog, "CancelButton");
        QCOMPARE(ui.preferences.ListSeparator, std::string("Semicolon"));
        QCOMPARE(ui.preferences.TimeFormat, std::string("long"));
    }
};

SONDREL_UI_TEST_MAIN(PreferencesDialogTest)
#include "preferences_dialog_test.moc"
