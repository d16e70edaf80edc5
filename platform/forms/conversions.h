// The runtime's conversions between numbers, dates and text. Text follows the
// user's locale (QLocale(), which is the system locale unless a default is set).
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <cstdint>

namespace forms {

// Decimal digits with a minus sign where needed and no leading blank: 1 gives "1".
QString toText(std::int16_t value);

// Text to double, read with the locale's decimal separator (no group separators),
// blanks around the number ignored. Text that is not a finite number raises
// TypeMismatch; a number beyond the double range raises Overflow.
double toDouble(const QString& text);

// To the nearest 16-bit integer, halves to the even neighbour (2.5 gives 2,
// 3.5 gives 4); a result outside -32768..32767, or NaN, raises Overflow.
std::int16_t toInt16(double value);

// A date value as the clock services return it: a day and a time of day. The
// day zero, 30 December 1899, stands for a value that has no date part.
struct DateValue {
    static QDate dayZero() { return QDate(1899, 12, 30); }

    QDate day = dayZero();
    QTime timeOfDay = QTime(0, 0);
};

// A value with no date part becomes its time of day alone (midnight included),
// in the locale's long time format without a time-zone name; a value whose time
// of day is zero becomes its date alone in the locale's short date format
// (in the C locale the system's numeric one, MM/dd/yy); anything else becomes both, date first.
QString toText(const DateValue& value);

// The locale's long time format with its time-zone field taken out, together
// with the brackets, comma or blank that belong to it.
QString longTimeFormat();

}  // namespace forms
