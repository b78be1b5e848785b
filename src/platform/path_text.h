#pragma once

#include <QFile>
#include <QString>
#include <string>

namespace sondrel {

// Paths travel through the core as UTF-8 text on Windows, where the system's
// names are UTF-16 and the ANSI code page cannot spell them all, and as the
// file system's own bytes elsewhere. The windows show and edit them as text.
inline QString PathText(const std::string& path)
{
#ifdef _WIN32
    return QString::fromStdString(path);
#else
    return QFile::decodeName(QByteArray::fromStdString(path));
#endif
}

inline std::string PathBytes(const QString& path)
{
#ifdef _WIN32
    return path.toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

}  // namespace sondrel
