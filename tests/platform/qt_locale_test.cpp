#include <gtest/gtest.h>

#include <QDate>
#include <QTime>

#include "platform/qt_locale.h"

namespace sondrel {
namespace {

const LocalDateTime kEvening{2021, 6, 14, 17, 42, 7};

TEST(QtLocale, SeparatorsAndFormsAreTheLocalesOwn)
{
    const QtLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.DecimalSeparator(), ",");
    EXPECT_EQ(german.TimeSeparator(), ":");
    EXPECT_EQ(german.LongTime(kEvening), "17:42:07");
    EXPECT_NE(german.ShortDate(kEvening).find("14.06."), std::string::npos) << german.ShortDate(kEvening);
    EXPECT_NE(german.LongDate(kEvening).find("14. Juni 2021"), std::string::npos) << german.LongDate(kEvening);

    const QtLocale plain(QLocale::c());
    EXPECT_EQ(plain.DecimalSeparator(), ".");
    EXPECT_EQ(plain.TimeSeparator(), ":");
    EXPECT_EQ(plain.LongTime(kEvening), "17:42:07");

    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QtLocale american(english);
    EXPECT_EQ(american.TimeSeparator(), ":");
    EXPECT_EQ(american.LongTime(kEvening), "5:42:07 PM");
    EXPECT_EQ(american.ShortDate(kEvening), english.toString(QDate(2021, 6, 14), QLocale::ShortFormat).toStdString());
    EXPECT_EQ(american.LongDate(kEvening), "Monday, June 14, 2021");
    EXPECT_EQ(QtLocale(QLocale(QLocale::Finnish, QLocale::Finland)).TimeSeparator(), ".");
}

TEST(QtLocale, TheLongTimeCarriesNoTimeZone)
{
    // Locales that put the zone first or in brackets leave neither the zone
    // nor an empty bracket or a stray blank behind.
    for (const QLocale& locale : {QLocale(QLocale::Chinese, QLocale::China), QLocale(QLocale::Persian, QLocale::Iran)}) {
        const QString expectedDigits = locale.toString(QTime(17, 42, 7), QStringLiteral("HH:mm:ss"));
        EXPECT_EQ(QtLocale(locale).LongTime(kEvening), expectedDigits.toStdString()) << locale.name().toStdString();
    }
}

TEST(SystemClock, ReadsTodaysLocalDate)
{
    // Read the date around the clock so that a run across midnight still agrees.
    const QDate before = QDate::currentDate();
    const LocalDateTime now = SystemClock().Now();
    const QDate after = QDate::currentDate();
    const QDate read(now.Year, now.Month, now.Day);
    EXPECT_TRUE(read == before || read == after) << now.Year << "-" << now.Month << "-" << now.Day;
    EXPECT_LE(now.Hour, 23);
    EXPECT_LE(now.Second, 60);
}

}  // namespace
}  // namespace sondrel
