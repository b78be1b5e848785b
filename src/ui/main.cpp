#include <QApplication>
#include <QIcon>

#include "platform/application_directory.h"
#include "ui/application.h"
#include "ui/web_engine_setup.h"

int main(int argc, char* argv[])
{
    sondrel::PrepareWebEngineEnvironment();
    QApplication qtApplication(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/sondrel.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("sondrel"));  // matches the menu entry
    sondrel::SondrelApplication application(sondrel::ApplicationDirectory());
    application.Start();
    return QApplication::exec();
}
