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

QtSettingsStore::QtSettingsStore() = default;

// QSettings writes what is still pending when it goes away.
QtSettingsStore::~QtSettingsStore() = default;

QSettings& QtSettingsStore::SettingsOf(const std::string& application) const
{
    std::unique_ptr<QSettings>& settings = opened_[application];
    if (!settings) {
        const QString name = QString::fromStdString(application);
        settings = std::make_unique<QSettings>(name, name);
    }
    return *settings;
}

std::string QtSettingsStore::ReadSetting(const std::string& application, const std::string& section,
                                         const std::string& key, const std::string& defaultText) const
{
    const QSettings& settings = SettingsOf(application);
    const QString path = KeyPath(section, key);
    if (!settings.contains(path))
        return defaultText;
    return AsText(settings.value(path)).toStdString();
}

void QtSettingsStore::WriteSetting(const std::string& application, const std::string& section, const std::string& key,
                                   const std::string& text)
{
    SettingsOf(application).setValue(KeyPath(section, key), QString::fromStdString(text));
}

void QtSettingsStore::Flush()
{
    for (auto& [application, settings] : opened_)
        settings->sync();
}

}  // namespace sondrel
