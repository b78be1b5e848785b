#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "platform/qt_settings_store.h"
#include "settings_folder.h"

namespace sondrel {
namespace {

// Each test writes under its own application name, so that no test sees
// another's values; the file is <folder>/<application>/<application>.conf.
QString FileOf(const std::string& application)
{
    const QString name = QString::fromStdString(application);
    return testing::SettingsFolder() + "/" + name + "/" + name + ".conf";
}

TEST(QtSettingsStore, ValuesAreAddressedByApplicationSectionAndKey)
{
    QtSettingsStore store;
    const std::string app = "SondrelTestAddress";
    EXPECT_EQ(store.ReadSetting(app, "Settings", "MainLeft", "1000"), "1000");
    store.WriteSetting(app, "Settings", "LastTemplateFile", "");
    EXPECT_EQ(store.ReadSetting(app, "Settings", "LastTemplateFile", "default.htm"), "");
    store.WriteSetting(app, "Settings", "DateFormat", "Tab");
    store.WriteSetting(app, "Settings", "DateFormat", "Long");
    EXPECT_EQ(store.ReadSetting(app, "Settings", "DateFormat", "Short"), "Long");
    EXPECT_EQ(store.ReadSetting(app, "Other", "DateFormat", "Short"), "Short");
    // The desktop program and the converter find each other's values here.
    store.WriteSetting(app, "Settings", "MainLeft", "1500");
    store.Flush();
    EXPECT_EQ(QSettings(FileOf(app), QSettings::IniFormat).value("Settings/MainLeft").toString(), "1500");
}

// Texts that an INI file treats specially: lists, escapes, comments, variants.
TEST(QtSettingsStore, TextComesBackExactly)
{
    QtSettingsStore store;
    for (const std::string text : {"<BR>", "C:\\p\\song.rpp", "/home/me/My Songs/song.rpp", "a, b",
                                   "@Variant(\\0\\0\\0\\x7f)", "@ByteArray(x)", "key=value; #not a comment",
                                   "\"quoted\"", "  padded  ", "line\nbreak", "Gr\xc3\xbc\xc3\x9f" "e.rpp", "1000",
                                   "true", "[Settings]"}) {
        store.WriteSetting("SondrelTestRoundTrip", "Settings", "LastReaperFile", text);
        EXPECT_EQ(store.ReadSetting("SondrelTestRoundTrip", "Settings", "LastReaperFile", "default"), text);
    }
}

TEST(QtSettingsStore, AHandEditedListIsReadAsItsText)
{
    const QString path = FileOf("SondrelTestHandEdited");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Settings]\nListSeparator=a, b\n");
    file.close();
    EXPECT_EQ(QtSettingsStore().ReadSetting("SondrelTestHandEdited", "Settings", "ListSeparator", "<BR>"), "a, b");
}

}  // namespace
}  // namespace sondrel
