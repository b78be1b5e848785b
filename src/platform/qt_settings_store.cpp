#include "platform/qt_settings_store.h"

#include <QSettings>
#include <QString>

namespace sondrel {

namespace {
QString KeyPath(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section) + "/" + QString::fromStdString(key);
}
}  // namespace

std::string QtSettingsStore::ReadSetting(const std::string& application, const std::string& section,
                                         const std::string& key, const std::string& defaultText) const
{
    const QString name = QString::fromStdString(application);
    const QSettings settings(name, name);
    const QString path = KeyPath(section, key);
    if (!settings.contains(path))
        return defaultText;
    return settings.value(path).toString().toStdString();
}

void QtSettingsStore::WriteSetting(const std::string& application, const std::string& section, const std::string& key,
                                   const std::string& text)
{
    const QString name = QString::fromStdString(application);
    QSettings settings(name, name);
    settings.setValue(KeyPath(section, key), QString::fromStdString(text));
}

}  // namespace sondrel
