#include "forms/conversions.h"

#include "forms/errors.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace forms {

QString toText(std::int16_t value) { return QString::number(value); }

namespace {

// A plain decimal number in the locale's notation: sign, digits with at most one
// decimal separator, optional exponent. Digits are ASCII; group separators are
// not accepted, so "1.5" is never read as 15. Compiled once per notation.
const QRegularExpression& numberSyntax(const QLocale& locale)
{
    static QString notation;
    static QRegularExpression syntax;
    const QString point = locale.decimalPoint(), minus = locale.negativeSign(), plus = locale.positiveSign();
    const QString current = point + u'\n' + minus + u'\n' + plus;
    if (syntax.pattern().isEmpty() || notation != current) {
        notation = current;
        syntax = QRegularExpression(
            QStringLiteral("^(?:[-+]|%1|%2)?(?:[0-9]+(?:%3[0-9]*)?|%3[0-9]+)(?:[eE](?:[-+]|%1|%2)?[0-9]+)?$")
                .arg(QRegularExpression::escape(minus), QRegularExpression::escape(plus),
                     QRegularExpression::escape(point)));
    }
    return syntax;
}

}  // namespace

double toDouble(const QString& text)
{
    const QLocale locale;
    const QString number = text.trimmed();

    if (!numberSyntax(locale).match(number).hasMatch())
        throw RuntimeError(RuntimeError::TypeMismatch);

    // Rewritten in the C locale's notation and read there, so that what the
    // pattern accepted is read the same way whatever the locale.
    QString plain = number;
    plain.replace(locale.decimalPoint(), QStringLiteral("."));
    if (locale.negativeSign() != QStringLiteral("-"))
        plain.replace(locale.negativeSign(), QStringLiteral("-"));
    if (locale.positiveSign() != QStringLiteral("+"))
        plain.replace(locale.positiveSign(), QStringLiteral("+"));
    // (Not strtod: it follows the process locale's decimal separator.)
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    // Out of range gives an infinity for overflow and zero for underflow;
    // only overflow is an error.
    if (std::isinf(value))
        throw RuntimeError(RuntimeError::Overflow);
    return value;
}

std::int16_t toInt16(double value)
{
    if (std::isnan(value))
        throw RuntimeError(RuntimeError::Overflow);
    // Halves go to the even neighbour (banker's rounding), whatever the FPU's
    // rounding mode: 2.5 gives 2, 3.5 gives 4, -32768.5 gives -32768.
    double rounded = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5)
        rounded = 2.0 * std::round(value / 2.0);
    if (rounded < -32768.0 || rounded > 32767.0)
        throw RuntimeError(RuntimeError::Overflow);
    return static_cast<std::int16_t>(rounded);
}

namespace {

bool isSeparator(QChar c) { return c.isSpace() || c == u',' || c == u'\u060C' || c == u'\uFF0C'; }

// The format with its time-zone field (a run of 't' outside quoted literals)
// taken out together with the brackets around it and the blanks or comma that
// join it to the rest: "h:mm:ss AP, t" gives "h:mm:ss AP", "H:mm:ss (t)" gives
// "H:mm:ss", "t HH:mm:ss" gives "HH:mm:ss".
QString withoutZone(const QString& format)
{
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == u'\'')
            quoted = !quoted;
        if (quoted || format[i] != u't')
            continue;
        qsizetype begin = i, end = i;
        while (end < format.size() && format[end] == u't')
            ++end;
        if (begin > 0 && end < format.size()
            && ((format[begin - 1] == u'(' && format[end] == u')') || (format[begin - 1] == u'[' && format[end] == u']'))) {
            --begin;
            ++end;
        }
        // The separators on both sides of the field; where it stood between two
        // fields, those before it stay to keep them apart.
        qsizetype before = begin, after = end;
        while (before > 0 && isSeparator(format[before - 1]))
            --before;
        while (after < format.size() && isSeparator(format[after]))
            ++after;
        const QString kept = before > 0 && after < format.size() ? format.mid(before, begin - before) : QString();
        return withoutZone(format.left(before) + kept + format.mid(after));
    }
    return format;
}

}  // namespace

QString longTimeFormat()
{
    // Shows the AM/PM text as the locale writes it ("Ap") rather than in
    // capitals ("AP"), so Greek keeps its "π.μ." and "μ.μ.".
    const QString format = withoutZone(QLocale().timeFormat(QLocale::LongFormat));
    QString result;
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u'P' && result.endsWith(u'A'))
            c = u'p';
        result += c;
    }
    return result.simplified();
}

QString toText(const DateValue& value)
{
    const QLocale locale;
    const QString time = locale.toString(value.timeOfDay, longTimeFormat());
    if (value.day == DateValue::dayZero())
        return time;
    // The C locale's short date names the month ("8 Dec 2026"); the system's
    // own short date there is numeric, as date +%x prints it.
    const QString date = locale.language() == QLocale::C ? locale.toString(value.day, QStringLiteral("MM/dd/yy"))
                                                          : locale.toString(value.day, QLocale::ShortFormat);
    if (value.timeOfDay == QTime(0, 0))
        return date;
    return date + u' ' + time;
}

}  // namespace forms
