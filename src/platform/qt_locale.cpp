#include "platform/qt_locale.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace sondrel {

namespace {
QDate ToDate(const LocalDateTime& when)
{
    return QDate(when.Year, when.Month, when.Day);
}

QTime ToTime(const LocalDateTime& when)
{
    return QTime(when.Hour, when.Minute, when.Second);
}

bool IsOpeningBracket(QChar c)
{
    return c == QLatin1Char('(') || c == QLatin1Char('[');
}

bool IsClosingBracket(QChar c)
{
    return c == QLatin1Char(')') || c == QLatin1Char(']');
}

// A document shows local wall-clock time; the zone name that some locales add
// to their long time form ("5:42:07 PM UTC", "17:42:07 (UTC)") says nothing to
// its reader. Drops the zone field with the brackets around it, leaving quoted
// literal text alone.
QString WithoutTimeZone(const QString& format)
{
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        } else if (!quoted && c == QLatin1Char('t')) {
            if (!result.isEmpty() && IsOpeningBracket(result.back()))
                result.chop(1);
            while (i + 1 < format.size() && format[i + 1] == QLatin1Char('t'))
                ++i;
            if (i + 1 < format.size() && IsClosingBracket(format[i + 1]))
                ++i;
            continue;
        }
        result.append(c);
    }
    return result.simplified();
}
}  // namespace

QtLocale::QtLocale(QLocale locale) : locale_(std::move(locale)) {}

std::string QtLocale::DecimalSeparator() const
{
    return locale_.decimalPoint().toStdString();
}

std::string QtLocale::TimeSeparator() const
{
    // The first character of the short time form that is not part of a field.
    const QString format = locale_.timeFormat(QLocale::ShortFormat);
    bool inField = false;
    for (const QChar c : format) {
        if (QStringLiteral("hHmsapAPzt").contains(c)) {
            inField = true;
        } else if (inField && c != QLatin1Char(' ') && c != QLatin1Char('\'')) {
            return QString(c).toStdString();
        }
    }
    return ":";
}

std::string QtLocale::ShortDate(const LocalDateTime& when) const
{
    return locale_.toString(ToDate(when), QLocale::ShortFormat).toStdString();
}

std::string QtLocale::LongDate(const LocalDateTime& when) const
{
    return locale_.toString(ToDate(when), QLocale::LongFormat).toStdString();
}

std::string QtLocale::LongTime(const LocalDateTime& when) const
{
    return locale_.toString(ToTime(when), WithoutTimeZone(locale_.timeFormat(QLocale::LongFormat))).toStdString();
}

namespace {
LocalDateTime FromQt(const QDateTime& moment)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}
}  // namespace

LocalDateTime SystemClock::Now() const
{
    return FromQt(QDateTime::currentDateTime());
}

LocalDateTime SystemClock::LocalTimeOf(long long secondsSince1970) const
{
    return FromQt(QDateTime::fromSecsSinceEpoch(secondsSince1970));
}

}  // namespace sondrel
