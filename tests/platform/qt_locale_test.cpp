#include <gtest/gtest.h>

#include <QDate>
#include <QTime>

#include "platform/qt_locale.h"

namespace sondrel {
namespace {

const LocalDateTime kEvening{2021, 6, 14, 17, 42, 7};

TEST(QtLocale, GermanWritesADecimalComma)
{
    const QtLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.DecimalSeparator(), ",");
    EXPECT_EQ(german.TimeSeparator(), ":");
    EXPECT_EQ(german.LongTime(kEvening), "17:42:07");
    EXPECT_NE(german.ShortDate(kEvening).find("14.06."), std::string::npos) << german.ShortDate(kEvening);
    EXPECT_NE(german.LongDate(kEvening).find("Juni"), std::string::npos) << german.LongDate(kEvening);
    EXPECT_NE(german.LongDate(kEvening).find("2021"), std::string::npos) << german.LongDate(kEvening);
}

TEST(QtLocale, TheCLocaleWritesPointAndColon)
{
    const QtLocale plain(QLocale::c());
    EXPECT_EQ(plain.DecimalSeparator(), ".");
    EXPECT_EQ(plain.TimeSeparator(), ":");
    EXPECT_EQ(plain.LongTime(kEvening), "17:42:07");
}

TEST(QtLocale, TheTimeSeparatorIsTheLocalesOwn)
{
    EXPECT_EQ(QtLocale(QLocale(QLocale::Finnish, QLocale::Finland)).TimeSeparator(), ".");
    EXPECT_EQ(QtLocale(QLocale(QLocale::Danish, QLocale::Denmark)).TimeSeparator(), ".");
    EXPECT_EQ(QtLocale(QLocale(QLocale::English, QLocale::UnitedStates)).TimeSeparator(), ":");
}

TEST(QtLocale, TheLongTimeCarriesNoTimeZone)
{
    EXPECT_EQ(QtLocale(QLocale(QLocale::English, QLocale::UnitedStates)).LongTime(kEvening), "5:42:07 PM");
    // Locales that put the zone first or in brackets leave neither the zone
    // nor an empty bracket or a stray blank behind.
    for (const QLocale& locale : {QLocale(QLocale::Chinese, QLocale::China), QLocale(QLocale::Persian, QLocale::Iran)}) {
        const std::string time = QtLocale(locale).LongTime(kEvening);
        const QString expectedDigits = locale.toString(QTime(17, 42, 7), QStringLiteral("HH:mm:ss"));
        EXPECT_EQ(time, expectedDigits.toStdString()) << locale.name().toStdString();
    }
}

TEST(QtLocale, DatesFollowTheLocalesForms)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QtLocale locale(english);
    EXPECT_EQ(locale.ShortDate(kEvening), english.toString(QDate(2021, 6, 14), QLocale::ShortFormat).toStdString());
    EXPECT_EQ(locale.LongDate(kEvening), "Monday, June 14, 2021");
}

TEST(SystemClock, ReadsTodaysLocalDate)
{
    // Read the date around the clock so that a run across midnight still agrees.
    const QDate before = QDate::currentDate();
    const LocalDateTime now = SystemClock().Now();
    const QDate after = QDate::currentDate();
    const QDate read(now.Year, now.Month, now.Day);
    EXPECT_TRUE(read == before || read == after) << now.Year << "-" << now.Month << "-" << now.Day;
    EXPECT_GE(now.Hour, 0);
    EXPECT_LE(now.Hour, 23);
    EXPECT_LE(now.Second, 60);
}

}  // namespace
}  // namespace sondrel
