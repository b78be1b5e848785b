#include <gtest/gtest.h>

#include <fstream>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include "platform/qt_locale.h"
#include "platform/qt_settings_store.h"

namespace sondrel {
namespace {

TEST(QtLocale, SeparatorsFormsAndClockAreTheSystemsWithoutATimeZone)
{
    const LocalDateTime evening{2021, 6, 14, 17, 42, 7};
    const auto forms = [&](QLocale::Language language, QLocale::Country country) {
        const QtLocale qt(QLocale(language, country));
        return qt.DecimalSeparator() + qt.TimeSeparator() + " " + qt.ShortDate(evening) + " | " +
               qt.LongDate(evening) + " | " + qt.LongTime(evening);
    };
    EXPECT_EQ(forms(QLocale::German, QLocale::Germany), ",: 14.06.21 | Montag, 14. Juni 2021 | 17:42:07");
    EXPECT_EQ(forms(QLocale::English, QLocale::UnitedStates), ".: 6/14/21 | Monday, June 14, 2021 | 5:42:07 PM");
    EXPECT_EQ(forms(QLocale::Finnish, QLocale::Finland), ",. 14.6.2021 | maanantaina 14. kesäkuuta 2021 | 17.42.07");
    // These put the zone first or in brackets: neither it, an empty bracket nor a stray blank is left behind.
    EXPECT_EQ(forms(QLocale::Chinese, QLocale::China), ".: 2021/6/14 | 2021年6月14日星期一 | 17:42:07");
    EXPECT_EQ(QtLocale(QLocale(QLocale::Persian, QLocale::Iran)).LongTime(evening), "۱۷:۴۲:۰۷");

    const LocalDateTime now = SystemClock().Now();
    const QDateTime read(QDate(now.Year, now.Month, now.Day), QTime(now.Hour, now.Minute, now.Second));
    EXPECT_LE(qAbs(read.secsTo(QDateTime::currentDateTime())), 5) << read.toString().toStdString();
}

TEST(QtSettingsStore, TextComesBackExactlyAndReachesTheFileOnFlush)
{
    const QTemporaryDir folder;  // never the user's own settings
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    const QString path = QSettings("SondrelTest", "SondrelTest").fileName();
    ASSERT_TRUE(path.startsWith(folder.path()) && QDir().mkpath(QFileInfo(path).path()));
    std::ofstream(path.toStdString()) << "[Settings]\nListSeparator=a, b\n";  // hand-edited: an unquoted list
    QtSettingsStore store;
    EXPECT_EQ(store.ReadSetting("SondrelTest", "Settings", "ListSeparator", "<BR>"), "a, b");
    EXPECT_EQ(store.ReadSetting("SondrelTest", "Other", "ListSeparator", "<BR>"), "<BR>");
    for (const std::string text : {"", "<BR>", "C:\\p\\song.rpp", "/home/me/My Songs/song.rpp", "a, b", "\"quoted\"",
                                   "@Variant(\\0\\0\\0\\x7f)", "@ByteArray(x)", "key=value; #not a comment", "1000",
                                   "  padded  ", "line\nbreak", "Gr\xc3\xbc\xc3\x9f" "e.rpp", "true", "[Settings]"}) {
        store.WriteSetting("SondrelTest", "Settings", "LastReaperFile", text);
        EXPECT_EQ(store.ReadSetting("SondrelTest", "Settings", "LastReaperFile", "default"), text);
    }
    store.WriteSetting("SondrelTest", "Settings", "MainLeft", "1500");
    store.Flush();
    std::ifstream file(path.toStdString());
    EXPECT_NE(std::string(std::istreambuf_iterator<char>(file), {}).find("\nMainLeft=1500\n"), std::string::npos);
}

}  // namespace
}  // namespace sondrel
