#include <QApplication>

#include "platform/application_directory.h"
#include "ui/application.h"
#include "ui/web_engine_setup.h"

int main(int argc, char* argv[])
{
    sondrel::PrepareWebEngineEnvironment();
    QApplication qtApplication(argc, argv);
    sondrel::SondrelApplication application(sondrel::ApplicationDirectory());
    application.Start();
    return QApplication::exec();
}
