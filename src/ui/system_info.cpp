#include "ui/system_info.h"

#include <QProcess>
#include <QStandardPaths>

#ifdef _WIN32
#include <QFileInfo>

#include "platform/windows_registry.h"
#include "shell/system_info_lookup.h"
#endif

namespace sondrel {

QString FindSystemInfoProgram()
{
#ifdef _WIN32
    const WindowsRegistry registry;
    const auto fileExists = [](const std::string& file) { return QFileInfo::exists(QString::fromStdString(file)); };
    const std::optional<std::string> program = FindSystemInfoProgram(registry, fileExists);
    return program ? QString::fromStdString(*program) : QString();
#else
    for (const char* name : {"hardinfo", "hardinfo2", "kinfocenter", "gnome-system-monitor"}) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
#endif
}

bool StartSystemInfoProgram()
{
    const QString program = FindSystemInfoProgram();
    return !program.isEmpty() && QProcess::startDetached(program, {});
}

}  // namespace sondrel
