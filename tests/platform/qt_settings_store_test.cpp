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
// another's values.
std::string ApplicationFor(const std::string& test)
{
    return "SondrelTest" + test;
}

QString FileOf(const std::string& application)
{
    const QString name = QString::fromStdString(application);
    return testing::SettingsFolder() + "/" + name + "/" + name + ".conf";
}

TEST(QtSettingsStore, AnAbsentKeyGivesTheDefault)
{
    const QtSettingsStore store;
    EXPECT_EQ(store.ReadSetting(ApplicationFor("Absent"), "Settings", "MainLeft", "1000"), "1000");
    EXPECT_EQ(store.ReadSetting(ApplicationFor("Absent"), "Settings", "LastHTMLFile", ""), "");
}

TEST(QtSettingsStore, AStoredEmptyTextIsNotReplacedByTheDefault)
{
    QtSettingsStore store;
    const std::string application = ApplicationFor("Empty");
    store.WriteSetting(application, "Settings", "LastTemplateFile", "");
    EXPECT_EQ(store.ReadSetting(application, "Settings", "LastTemplateFile", "default.htm"), "");
}

TEST(QtSettingsStore, KeysAreKeptApartBySection)
{
    QtSettingsStore store;
    const std::string application = ApplicationFor("Sections");
    store.WriteSetting(application, "Settings", "DateFormat", "Long");
    EXPECT_EQ(store.ReadSetting(application, "Other", "DateFormat", "Short"), "Short");
    EXPECT_EQ(store.ReadSetting(application, "Settings", "DateFormat", "Short"), "Long");
}

TEST(QtSettingsStore, AWriteReplacesTheEarlierValue)
{
    QtSettingsStore store;
    const std::string application = ApplicationFor("Replace");
    store.WriteSetting(application, "Settings", "ListSeparator", "Tab");
    store.WriteSetting(application, "Settings", "ListSeparator", "Comma");
    EXPECT_EQ(store.ReadSetting(application, "Settings", "ListSeparator", "<BR>"), "Comma");
}

class SettingsRoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(SettingsRoundTrip, TextComesBackExactly)
{
    QtSettingsStore store;
    const std::string application = ApplicationFor("RoundTrip");
    store.WriteSetting(application, "Settings", "LastReaperFile", GetParam());
    EXPECT_EQ(store.ReadSetting(application, "Settings", "LastReaperFile", "default"), GetParam());
}

// Texts that an INI file treats specially: lists, escapes, comments, variants.
INSTANTIATE_TEST_SUITE_P(Texts, SettingsRoundTrip,
                         ::testing::Values("<BR>", "C:\\p\\song.rpp", "/home/me/My Songs/song.rpp", "a, b",
                                           "@Variant(\\0\\0\\0\\x7f)", "@ByteArray(x)", "key=value; #not a comment",
                                           "\"quoted\"", "  padded  ", "line\nbreak", "Gr\xc3\xbc\xc3\x9f" "e.rpp",
                                           "1000", "true", "[Settings]"));

TEST(QtSettingsStore, IsAddressedByApplicationSectionAndKey)
{
    // The desktop program and the converter find each other's values by this
    // address: <config>/Sondrel/Sondrel.conf, group [Settings].
    QtSettingsStore store;
    const std::string application = ApplicationFor("Address");
    store.WriteSetting(application, "Settings", "MainLeft", "1500");
    const QSettings file(FileOf(application), QSettings::IniFormat);
    EXPECT_EQ(file.value("Settings/MainLeft").toString().toStdString(), "1500");
}

TEST(QtSettingsStore, AHandEditedListIsReadAsItsText)
{
    const std::string application = ApplicationFor("HandEdited");
    const QString path = FileOf(application);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Settings]\nListSeparator=a, b\nDateFormat=Long\n");
    file.close();
    const QtSettingsStore store;
    EXPECT_EQ(store.ReadSetting(application, "Settings", "ListSeparator", "<BR>"), "a, b");
    EXPECT_EQ(store.ReadSetting(application, "Settings", "DateFormat", "Short"), "Long");
}

}  // namespace
}  // namespace sondrel
