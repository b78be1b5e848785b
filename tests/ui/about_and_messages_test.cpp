// The About box, its System Info button, the Qt message box, and the browser
// engine's start-up flags.
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "ui/qt_message_box.h"
#include "ui/web_engine_setup.h"
#include "ui_harness.h"

using namespace sondrel;
using namespace sondrel::testing;

namespace {
// Restores PATH when a test is done with it.
class PathOverride {
public:
    explicit PathOverride(const QString& path) : saved_(qgetenv("PATH")) { qputenv("PATH", QFile::encodeName(path)); }
    ~PathOverride() { qputenv("PATH", saved_); }

private:
    QByteArray saved_;
};

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Information;
    QStringList buttons;
    QString defaultButton;
};

// Shows a message through QtMessageBox and, once the box is up, records it
// and lets `answer` close it the way a user would.
MessageAnswer ShowAndAnswer(MessageButtons buttons, const std::string& title, SeenBox& seen,
                            const std::function<void(QMessageBox&)>& answer)
{
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        poll.stop();
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text().remove('&');
        seen.defaultButton = box->defaultButton() ? box->defaultButton()->text().remove('&') : QString();
        answer(*box);
    });
    poll.start(10);
    QtMessageBox messages;
    return messages.ShowMessage("The file x already exists.  Do you want to overwrite it?", buttons, title);
}
}  // namespace

class AboutAndMessagesTest : public QObject {
    Q_OBJECT

private slots:
    void aboutBoxNamesTheProgramAndSystemInfoWithoutAToolSaysItIsUnavailable()
    {
        QTemporaryDir emptyFolder;
        PathOverride path(emptyFolder.path());
        UiHarness ui;
        ui.StartMain();
        ui.Trigger("mnuHelpAbout");
        QPointer<frmAbout> about = ui.window->AboutBox();
        QVERIFY(about != nullptr);
        QVERIFY(about->isModal());
        QCOMPARE(about->windowTitle(), QStringLiteral("About Sondrel"));
        QCOMPARE(about->findChild<QLabel*>("lblTitle")->text(), QStringLiteral("Sondrel"));
        QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Version 1.0.6"));
        QCOMPARE(about->findChild<QLabel*>("lblDescription")->text(),
                 QStringLiteral("Sondrel converts Reaper project files into an HTML formatted pages."));
        QCOMPARE(about->findChild<QPushButton*>("cmdSysInfo")->text(), QStringLiteral("&System Info..."));
        about->findChild<QPushButton*>("cmdSysInfo")->click();
        QCOMPARE(ui.messages.messages.size(), std::size_t{1});
        QCOMPARE(ui.messages.messages[0].text, std::string("System Information Is Unavailable At This Time"));
        QCOMPARE(ui.messages.messages[0].title, std::string("Sondrel"));
        QVERIFY(ui.messages.messages[0].buttons == MessageButtons::Ok);
        about->findChild<QPushButton*>("cmdOK")->click();
        QTRY_VERIFY(about.isNull());
    }

    void systemInfoStartsAToolFoundOnThePath()
    {
        QTemporaryDir tools;
        const QString marker = tools.path() + "/started";
        QFile script(tools.path() + "/kinfocenter");
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n: > '" + QFile::encodeName(marker) + "'\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        PathOverride path(tools.path());

        UiHarness ui;
        ui.StartMain();
        ui.Trigger("mnuHelpAbout");
        ui.window->AboutBox()->findChild<QPushButton*>("cmdSysInfo")->click();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
        QVERIFY(ui.messages.messages.empty());
    }

    void messageBoxHasNoIconAndOkAsDefault_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("shownButtons");
        QTest::addColumn<int>("way");
        QTest::addColumn<int>("answer");
        const int ok = int(MessageAnswer::Ok), cancel = int(MessageAnswer::Cancel);
        const QStringList both{"Cancel", "OK"};
        QTest::newRow("ok alone") << int(MessageButtons::Ok) << "Sondrel" << QStringList{"OK"} << 0 << ok;
        QTest::newRow("ok clicked") << int(MessageButtons::OkCancel) << "Overwrite file?" << both << 0 << ok;
        QTest::newRow("cancel clicked") << int(MessageButtons::OkCancel) << "Overwrite file?" << both << 1 << cancel;
        QTest::newRow("closed") << int(MessageButtons::OkCancel) << "Overwrite file?" << both << 2 << cancel;
        QTest::newRow("escape") << int(MessageButtons::OkCancel) << "Overwrite file?" << both << 3 << cancel;
        QTest::newRow("return") << int(MessageButtons::OkCancel) << "Overwrite file?" << both << 4 << ok;
    }

    void messageBoxHasNoIconAndOkAsDefault()
    {
        QFETCH(int, buttons);
        QFETCH(QString, title);
        QFETCH(QStringList, shownButtons);
        QFETCH(int, way);
        QFETCH(int, answer);
        SeenBox seen;
        const auto given = ShowAndAnswer(MessageButtons(buttons), title.toStdString(), seen, [way](QMessageBox& box) {
            switch (way) {
            case 0: box.button(QMessageBox::Ok)->click(); break;
            case 1: box.button(QMessageBox::Cancel)->click(); break;
            case 2: box.close(); break;
            case 3: QTest::keyClick(&box, Qt::Key_Escape); break;
            default: QTest::keyClick(&box, Qt::Key_Return); break;
            }
        });
        QCOMPARE(int(given), answer);
        QCOMPARE(seen.title, title);
        QCOMPARE(seen.text, QStringLiteral("The file x already exists.  Do you want to overwrite it?"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        std::sort(seen.buttons.begin(), seen.buttons.end());
        QCOMPARE(seen.buttons, shownButtons);
        QCOMPARE(seen.defaultButton, QStringLiteral("OK"));
    }

    void browserEngineFlagsAreAddedOnce()
    {
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--lang=en");
        PrepareWebEngineEnvironment();
        PrepareWebEngineEnvironment();
        QCOMPARE(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), QByteArray("--lang=en --disable-gpu"));
        QVERIFY(QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts));
#ifndef _WIN32
        if (geteuid() == 0)
            QCOMPARE(qgetenv("QTWEBENGINE_DISABLE_SANDBOX"), QByteArray("1"));
#endif
    }
};

SONDREL_UI_TEST_MAIN(AboutAndMessagesTest)
#include "about_and_messages_test.moc"
