#include "app/buildstamp.h"

#include <QString>

namespace app {

namespace {

char at(const QByteArray& text, int position)
{
    return position < text.size() ? text.at(position) : '?';
}

int digit(const QByteArray& text, int position)
{
    const char c = at(text, position);
    return (c >= '0' && c <= '9') ? c - '0' : 0;
}

// The month is told by its third letter, and by the second or the first where
// two months share it (Jan/Jun, Mar/Apr).
int monthOf(const QByteArray& text)
{
    switch (at(text, 2)) {
    case '?': return 1;
    case 'n': return at(text, 1) == 'a' ? 1 : 6;
    case 'b': return 2;
    case 'r': return at(text, 0) == 'M' ? 3 : 4;
    case 'y': return 5;
    case 'l': return 7;
    case 'g': return 8;
    case 'p': return 9;
    case 't': return 10;
    case 'v': return 11;
    default: return 12;
    }
}

QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

}  // namespace

int buildDateNumber(const QByteArray& t)
{
    const int month = monthOf(t);
    const int day = at(t, 4) == '?' ? 1 : (at(t, 4) == ' ' ? 0 : digit(t, 4) * 10) + digit(t, 5);
    const int year = at(t, 7) == '?'
        ? 1900
        : digit(t, 7) * 1000 + digit(t, 8) * 100 + digit(t, 9) * 10 + digit(t, 10);
    return (QString::number(year) + twoDigits(month) + twoDigits(day)).toInt();
}

int buildTimeNumber(const QByteArray& t)
{
    return digit(t, 0) * 36000 + digit(t, 1) * 3600 + digit(t, 3) * 600 + digit(t, 4) * 60 + digit(t, 6) * 10
        + digit(t, 7);
}

BuildStamp parseBuildStamp(const QByteArray& dateText, const QByteArray& timeText)
{
    return {buildDateNumber(dateText), buildTimeNumber(timeText)};
}

}  // namespace app
