#include "platform/qt_settings_store.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace sondrel {

namespace {
QString KeyPath(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section) + "/" + QString::fromStdString(key);
}

// Values written here always read back as text. A hand-edited INI line with
// an unquoted comma ("a, b") reads as a list, which toString() would turn into
// nothing: the parts are joined again instead.
QString AsText(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
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
    return AsText(settings.value(path)).toStdString();
}

void QtSettingsStore::WriteSetting(const std::string& application, const std::string& section, const std::string& key,
                                   const std::string& text)
{
    const QString name = QString::fromStdString(application);
    QSettings settings(name, name);
    settings.setValue(KeyPath(section, key), QString::fromStdString(text));
}

}  // namespace sondrel
