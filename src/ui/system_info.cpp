#include "ui/system_info.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#ifdef _WIN32
#include <windows.h>

#include <cstring>
#endif

namespace sondrel {

namespace {
#ifdef _WIN32
// One text value of a key under HKEY_LOCAL_MACHINE; false when the key or
// the value is missing, is not text, or fills the whole buffer.
bool GetKeyValue(HKEY keyRoot, const char* keyName, const char* subKeyRef, QString& keyVal)
{
    keyVal.clear();
    HKEY key = nullptr;
    bool found = false;
    if (RegOpenKeyExA(keyRoot, keyName, 0, 0x2003F, &key) == ERROR_SUCCESS) {
        char buffer[1024] = {};
        DWORD size = sizeof buffer;
        DWORD type = 0;
        if (RegQueryValueExA(key, subKeyRef, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
                ERROR_SUCCESS &&
            memchr(buffer, 0, sizeof buffer) != nullptr) {
            if (type == REG_SZ)
                keyVal = QString::fromLocal8Bit(buffer);
            found = true;
        }
    }
    RegCloseKey(key);
    return found;
}
#endif
}  // namespace

QString FindSystemInfoProgram()
{
#ifdef _WIN32
    QString path;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path))
        return path;
    if (!GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", path))
        return {};
    const QString program = path + QStringLiteral("\\MSINFO32.EXE");
    return QFileInfo::exists(program) ? program : QString();
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
