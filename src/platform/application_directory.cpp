#include "platform/application_directory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "shell/settings.h"

namespace sondrel {

std::string ApplicationDirectory()
{
    QString directory = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    while (directory.endsWith(QDir::separator()))
        directory.chop(1);
    // Paths travel through the program as the file system's own bytes.
    return QFile::encodeName(directory).toStdString();
}

std::string InstalledDefaultTemplatePath()
{
    return DefaultTemplatePath(ApplicationDirectory(), QDir::separator().toLatin1());
}

}  // namespace sondrel
