#pragma once

#include <QFile>
#include <QString>
#include <string>

namespace sondrel {

// Paths travel through the core as the file system's own bytes; the windows
// show and edit them as text.
inline QString PathText(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

inline std::string PathBytes(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

}  // namespace sondrel
