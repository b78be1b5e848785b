#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "settings_folder.h"

namespace sondrel::testing {

QString SettingsFolder()
{
    static QTemporaryDir folder;
    return folder.path();
}

}  // namespace sondrel::testing

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    // Every QSettings of this program lives in a private folder, never in the
    // user's own configuration.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, sondrel::testing::SettingsFolder());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, sondrel::testing::SettingsFolder());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
