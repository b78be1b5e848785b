#include "platform/application_directory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "platform/path_text.h"
#include "shell/settings.h"

namespace sondrel {

std::string ApplicationDirectory()
{
    QString directory = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    while (directory.endsWith(QDir::separator()))
        directory.chop(1);
    return PathBytes(directory);
}

std::string InstalledDefaultTemplatePath()
{
    return DefaultTemplatePath(ApplicationDirectory(), QDir::separator().toLatin1());
}

}  // namespace sondrel
