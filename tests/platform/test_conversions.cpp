// The runtime's conversions and checked arithmetic, without any window.
#include <forms/arithmetic.h>
#include <forms/conversions.h>
#include <forms/errors.h>

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <limits>

using forms::RuntimeError;

Q_DECLARE_METATYPE(RuntimeError::Number)

namespace {

// The error number a call raises, or 0 if it returns.
template <class F>
int errorOf(F&& call)
{
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
}

}  // namespace

class Conversions : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void toInt16_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("2.5 to even below") << 2.5 << 2;
        QTest::newRow("3.5 to even above") << 3.5 << 4;
        QTest::newRow("7912.5") << 7912.5 << 7912;
        QTest::newRow("7927.5") << 7927.5 << 7928;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("not a half") << 8159.5166015625 << 8160;
        QTest::newRow("just below a half") << 2.4999999999999996 << 2;
        QTest::newRow("upper bound") << 32767.4 << 32767;
        QTest::newRow("lower bound by halves") << -32768.5 << -32768;
    }
    void toInt16()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(int(forms::toInt16(value)), expected);
    }

    void toInt16Overflow()
    {
        // 6 is Overflow.
        for (const double value : { 32767.5, -32769.0, 35880.0, std::nan(""), std::numeric_limits<double>::infinity() })
            QVERIFY2(errorOf([value] { forms::toInt16(value); }) == 6, qPrintable(QString::number(value)));
    }

    void int16ToText()
    {
        QCOMPARE(forms::toText(std::int16_t(1)), QStringLiteral("1"));
        QCOMPARE(forms::toText(std::int16_t(-32768)), QStringLiteral("-32768"));
        QCOMPARE(forms::toText(std::int16_t(0)), QStringLiteral("0"));
    }

    // A text read in a locale: the number it reads as, or the error it raises
    // and nothing read.
    void toDouble_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("error");  // 0: none
        const int mismatch = 13;  // type mismatch
        QTest::newRow("plain") << "C" << "2" << 2.0 << 0;
        QTest::newRow("blanks around") << "C" << " 2 " << 2.0 << 0;
        QTest::newRow("negative") << "C" << "-2" << -2.0 << 0;
        QTest::newRow("exponent") << "C" << "1E300" << 1e300 << 0;
        QTest::newRow("small exponent") << "C" << "1E-305" << 1e-305 << 0;
        QTest::newRow("underflow is zero") << "C" << "1e-400" << 0.0 << 0;
        QTest::newRow("point in C") << "C" << "1.5" << 1.5 << 0;
        QTest::newRow("comma in Greek") << "el_GR" << "1,5" << 1.5 << 0;
        QTest::newRow("exponent in Greek") << "el_GR" << "2,5E2" << 250.0 << 0;
        QTest::newRow("point in US English") << "en_US" << "0.25" << 0.25 << 0;
        QTest::newRow("leading separator") << "C" << ".5" << 0.5 << 0;
        QTest::newRow("empty") << "C" << "" << 0.0 << mismatch;
        QTest::newRow("blank") << "C" << "   " << 0.0 << mismatch;
        QTest::newRow("letters") << "C" << "abc" << 0.0 << mismatch;
        QTest::newRow("trailing letters") << "C" << "2x" << 0.0 << mismatch;
        QTest::newRow("infinity") << "C" << "inf" << 0.0 << mismatch;
        QTest::newRow("nan") << "C" << "nan" << 0.0 << mismatch;
        QTest::newRow("group separator") << "C" << "1,000" << 0.0 << mismatch;
        QTest::newRow("point in Greek") << "el_GR" << "1.5" << 0.0 << mismatch;
        QTest::newRow("two separators") << "C" << "1.2.3" << 0.0 << mismatch;
        QTest::newRow("lone sign") << "C" << "-" << 0.0 << mismatch;
        QTest::newRow("arabic-indic digits") << "C" << QString::fromUtf8("\u0663") << 0.0 << mismatch;
        QTest::newRow("beyond the double range") << "C" << "1e400" << 0.0 << 6;
        QTest::newRow("negative beyond the range") << "C" << "-1e400" << 0.0 << 6;
    }
    void toDouble()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, expected);
        QFETCH(int, error);
        QLocale::setDefault(QLocale(locale));
        double read = 0.0;
        QCOMPARE(errorOf([&] { read = forms::toDouble(text); }), error);
        QCOMPARE(read, expected);
    }

    void arithmeticFaults()
    {
        const double inf = std::numeric_limits<double>::infinity();
        // 5 is an invalid floating-point operation, 6 Overflow, 11 division by zero.
        QCOMPARE(errorOf([] { forms::divide(3960.0, 0.0); }), 11);
        QCOMPARE(errorOf([] { forms::divide(-1.0, -0.0); }), 11);
        QCOMPARE(errorOf([] { forms::divide(0.0, 0.0); }), 5);
        QCOMPARE(errorOf([] { forms::divide(3960.0, 1e-305); }), 6);
        QCOMPARE(errorOf([] { forms::add(1.7e308, 1.7e308); }), 6);
        QCOMPARE(errorOf([&] { forms::subtract(inf, inf); }), 5);
        QCOMPARE(errorOf([] { forms::multiply(1e200, 1e200); }), 6);
        // Underflow and inexact results are ordinary results.
        QCOMPARE(forms::divide(1e-300, 1e300), 0.0);
        QCOMPARE(forms::divide(1.0, 3.0), 1.0 / 3.0);
        QCOMPARE(forms::add(8159.75830078125, 0.0), 8159.75830078125);
    }

    // A date shows as the locale's short date, a time (on day zero) as its long
    // time, both with the time. The short date of the C locale is the system's
    // numeric one, as date +%x prints it. The time-zone field goes together with
    // the brackets, comma or blank that belong to it, wherever the locale puts it.
    void dateValueText_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("text");
        const QDate none = forms::DateValue::dayZero(), day(2026, 12, 8);
        const QTime midnight(0, 0), afternoon(14, 5, 9);
        QTest::newRow("date, US English") << "en_US" << day << midnight << "12/8/26";
        QTest::newRow("date, Greek") << "el_GR" << day << midnight << "8/12/26";
        QTest::newRow("time, US English") << "en_US" << none << afternoon << "2:05:09 PM";
        // Midnight is a time, never a date.
        QTest::newRow("midnight, US English") << "en_US" << none << midnight << "12:00:00 AM";
        QTest::newRow("midnight, C") << "C" << none << midnight << "00:00:00";
        QTest::newRow("date, C") << "C" << day << midnight << "12/08/26";
        QTest::newRow("date and time, C") << "C" << QDate(2027, 1, 2) << QTime(9, 7, 3) << "01/02/27 09:07:03";
        QTest::newRow("zone, comma before, Albanian") << "sq_AL" << none << afternoon << "2:05:09 e pasdites";
        QTest::newRow("zone, comma before, Belarusian") << "be_BY" << none << afternoon << "14:05:09";
        QTest::newRow("zone in brackets, Persian") << "fa_IR" << none << afternoon << "۱۴:۰۵:۰۹";
        QTest::newRow("zone in brackets, Catalan") << "ca_ES" << none << afternoon << "14:05:09";
        QTest::newRow("zone in square brackets, Cantonese") << "yue_HK" << none << afternoon << "下午2:05:09";
        QTest::newRow("zone first, Chinese in Singapore") << "zh_SG" << none << afternoon << "下午2:05:09";
        QTest::newRow("zone first, Burmese") << "my_MM" << none << afternoon << "၁၄:၀၅:၀၉";
    }
    void dateValueText()
    {
        QFETCH(QString, locale);
        QFETCH(QDate, day);
        QFETCH(QTime, time);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(forms::toText(forms::DateValue { day, time }), text);
    }

    void noZoneResidueInAnyLocale()
    {
        QLocale::setDefault(QLocale::c());
        QVERIFY(!forms::longTimeFormat().contains(u't'));
        const QRegularExpression emptyBrackets(QStringLiteral("\\(\\s*\\)|\\[\\s*\\]"));
        const QRegularExpression unquotedZone(QStringLiteral("^(?:[^'t]|'[^']*')*t"));
        for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
            QLocale::setDefault(locale);
            const QString text = forms::toText(forms::DateValue { forms::DateValue::dayZero(), QTime(14, 5, 9) });
            const QString where = locale.name() + QStringLiteral(": ") + text;
            QVERIFY2(!unquotedZone.match(forms::longTimeFormat()).hasMatch(), qPrintable(where));
            QVERIFY2(!emptyBrackets.match(text).hasMatch(), qPrintable(where));
            QVERIFY2(!text.isEmpty() && !text.front().isSpace() && !text.back().isSpace(), qPrintable(where));
            QVERIFY2(!text.startsWith(u',') && !text.endsWith(u','), qPrintable(where));
        }
    }
};

QTEST_GUILESS_MAIN(Conversions)
#include "test_conversions.moc"
