// The conversion dialog driven through the main window's menu, as a user
// would: what it shows, what Cancel, the close box, OK and the browse buttons
// do with the texts and the remembered paths.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui_harness.h"

using namespace sondrel;
using namespace sondrel::testing;

namespace {
QString FieldText(frmConvert* dialog, const char* name)
{
    return dialog->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
}

void SetField(frmConvert* dialog, const char* name, const QString& text)
{
    dialog->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(text);
}

void Click(frmConvert* dialog, const char* name)
{
    dialog->findChild<QPushButton*>(QString::fromLatin1(name))->click();
}
}  // namespace

class ConvertDialogTest : public QObject {
    Q_OBJECT

private slots:
    void firstOpeningShowsTheDefaultsInLabelledRows()
    {
        UiHarness ui;
        ui.StartMain();
        ui.Trigger("mnuFileConvert");
        frmConvert* dialog = ui.window->ConversionDialog();
        QVERIFY(dialog != nullptr);
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Convert Reaper Project"));
        QCOMPARE(FieldText(dialog, "lbReaperFile"), QString());
        QCOMPARE(FieldText(dialog, "lbHTMLFile"), QString());
        QCOMPARE(FieldText(dialog, "lbTemplateFile"), ui.scratch.path() + "/templates/default_template.htm");
        QCOMPARE(dialog->focusWidget(), dialog->findChild<QPushButton*>("OKButton"));

        // Rows labelled in order; tab order is buttons, fields, browse buttons.
        QList<QLabel*> labels = dialog->findChildren<QLabel*>();
        std::sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
        QStringList captions;
        for (QLabel* label : labels)
            captions << label->text();
        QCOMPARE(captions, QStringList({"Reaper Project File:", "Output HTML File:", "Conversion Template:"}));
        const char* rows[][2] = {{"lbReaperFile", "cmdReaperFile"}, {"lbHTMLFile", "cmdHTMLFile"},
                                 {"lbTemplateFile", "cmdTemplateFile"}};
        for (int row = 0; row < 3; ++row) {
            auto* field = dialog->findChild<QLineEdit*>(rows[row][0]);
            auto* browse = dialog->findChild<QPushButton*>(rows[row][1]);
            QCOMPARE(field->y(), labels[row]->y());
            QCOMPARE(browse->text(), QStringLiteral("..."));
            QVERIFY(browse->x() > field->x() + field->width());
            QVERIFY(labels[row]->font().bold());
        }

        QStringList order;
        QWidget* widget = dialog->findChild<QPushButton*>("OKButton");
        for (int step = 0; step < 8; ++step) {
            order << widget->objectName();
            do
                widget = widget->nextInFocusChain();
            while (!(widget->focusPolicy() & Qt::TabFocus));
        }
        QCOMPARE(order, QStringList({"OKButton", "CancelButton", "lbReaperFile", "lbHTMLFile", "lbTemplateFile",
                                     "cmdReaperFile", "cmdHTMLFile", "cmdTemplateFile"}));
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            QVERIFY2(!button->autoDefault() && !button->isDefault(), qPrintable(button->objectName()));
    }

    void cancelHidesAndKeepsEditedTexts()
    {
        UiHarness ui;
        ui.store.values[StoreKey("LastReaperFile")] = "/old/song.rpp";
        ui.StartMain();
        ui.Trigger("mnuFileConvert");
        frmConvert* dialog = ui.window->ConversionDialog();
        SetField(dialog, "lbReaperFile", "/new/edited.rpp");
        ui.Trigger("mnuFileConvert");  // while shown: the same dialog, texts as they are
        QCOMPARE(ui.window->ConversionDialog(), dialog);
        QCOMPARE(FieldText(dialog, "lbReaperFile"), QStringLiteral("/new/edited.rpp"));
        Click(dialog, "CancelButton");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(ui.paths.LastReaperFile, std::string("/old/song.rpp"));

        ui.Trigger("mnuFileConvert");
        QCOMPARE(ui.window->ConversionDialog(), dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(FieldText(dialog, "lbReaperFile"), QStringLiteral("/new/edited.rpp"));
        QVERIFY(ui.messages.messages.empty());
    }

    void closeBoxUnloadsAndNextOpeningRefillsFromRememberedPaths()
    {
        UiHarness ui;
        ui.store.values[StoreKey("LastHTMLFile")] = "/remembered/out.htm";
        ui.StartMain();
        ui.Trigger("mnuFileConvert");
        QPointer<frmConvert> dialog = ui.window->ConversionDialog();
        SetField(dialog, "lbHTMLFile", "/typed/but/dropped.htm");
        dialog->close();
        QTRY_VERIFY(dialog.isNull());

        ui.Trigger("mnuFileConvert");
        QVERIFY(ui.window->ConversionDialog() != nullptr);
        QCOMPARE(FieldText(ui.window->ConversionDialog(), "lbHTMLFile"), QStringLiteral("/remembered/out.htm"));
    }

    void okWithAnEmptyFieldIsRejectedAndKeepsTheTexts_data()
    {
        QTest::addColumn<QString>("project");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("templ");
        QTest::newRow("all empty") << "" << "" << "";
        QTest::newRow("output empty") << "/p.rpp" << "" << "/t.htm";
        QTest::newRow("template empty") << "/p.rpp" << "/o.htm" << "";
    }

    void okWithAnEmptyFieldIsRejectedAndKeepsTheTexts()
    {
        QFETCH(QString, project);
        QFETCH(QString, output);
        QFETCH(QString, templ);
        UiHarness ui;
        ui.StartMain();
        const RememberedPaths before = ui.paths;
        ui.Trigger("mnuFileConvert");
        frmConvert* dialog = ui.window->ConversionDialog();
        SetField(dialog, "lbReaperFile", project);
        SetField(dialog, "lbHTMLFile", output);
        SetField(dialog, "lbTemplateFile", templ);
        Click(dialog, "OKButton");

        QCOMPARE(ui.messages.messages.size(), std::size_t{1});
        QCOMPARE(ui.messages.messages[0].text, std::string("You must enter all information"));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(ui.paths.LastReaperFile, before.LastReaperFile);
        QCOMPARE(ui.paths.LastHTMLFile, before.LastHTMLFile);
        QCOMPARE(ui.paths.LastTemplateFile, before.LastTemplateFile);

        ui.Trigger("mnuFileConvert");
        QCOMPARE(FieldText(dialog, "lbReaperFile"), project);
        QCOMPARE(FieldText(dialog, "lbHTMLFile"), output);
        QCOMPARE(FieldText(dialog, "lbTemplateFile"), templ);
    }

    void browseButtonsAskTheFileDialogAndTakeItsAnswer_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("filter");
        QTest::newRow("project") << "cmdReaperFile" << "lbReaperFile" << int(FileDialogKind::Open)
                                 << "Open Reaper Project File" << "Reaper Files (*.rpp)";
        QTest::newRow("output") << "cmdHTMLFile" << "lbHTMLFile" << int(FileDialogKind::Save) << "Save as HTML File"
                                << "HTML Files (*.htm)";
        QTest::newRow("template") << "cmdTemplateFile" << "lbTemplateFile" << int(FileDialogKind::Open)
                                  << "Open Conversion Template File"
                                  << "Template HTML Files (*.htm);;Text Files (*.txt)";
    }

    void browseButtonsAskTheFileDialogAndTakeItsAnswer()
    {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, filter);
        UiHarness ui;
        ui.StartMain();
        ui.Trigger("mnuFileConvert");
        frmConvert* dialog = ui.window->ConversionDialog();
        auto* edit = dialog->findChild<QLineEdit*>(field);
        edit->setText("/current/choice");

        ui.files.answer = QString();  // the user cancels: the text stays
        dialog->findChild<QPushButton*>(button)->click();
        QCOMPARE(edit->text(), QStringLiteral("/current/choice"));

        ui.files.answer = QStringLiteral("/picked/file name");
        dialog->findChild<QPushButton*>(button)->click();
        QCOMPARE(edit->text(), QStringLiteral("/picked/file name"));

        QCOMPARE(ui.files.requests.size(), std::size_t{2});
        for (const FileDialogRequest& asked : ui.files.requests) {
            QCOMPARE(int(asked.Kind), kind);
            QCOMPARE(asked.Title, title);
            QCOMPARE(asked.Filter, filter);
            QCOMPARE(asked.InitialFile, QStringLiteral("/current/choice"));
        }
    }

    void escapeDoesNotCloseAndEnterPressesOnlyAFocusedButton()
    {
        UiHarness ui;
        ui.StartMain();
        ui.Trigger("mnuFileConvert");
        frmConvert* dialog = ui.window->ConversionDialog();
        QApplication::setActiveWindow(dialog);

        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(dialog->isVisible());

        auto* field = dialog->findChild<QLineEdit*>("lbHTMLFile");
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        QVERIFY(ui.messages.messages.empty());

        auto* cancel = dialog->findChild<QPushButton*>("CancelButton");
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        QVERIFY(ui.messages.messages.empty());
    }
};

SONDREL_UI_TEST_MAIN(ConvertDialogTest)
#include "convert_dialog_test.moc"
