// ΩΡΑ on a manual clock: when the boxes fill, the texts per locale, midnight, and
// the two separate reads of one tick; and on the system clock, a change of the
// system's zone.
#include "ora.h"

#include <family_test.h>

#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <cstdio>
#include <ctime>

using namespace std::chrono_literals;
using namespace forms::testing;

namespace {

QDateTime at(int year, int month, int day, int h, int m, int s, int ms = 0)
{
    return QDateTime(QDate(year, month, day), QTime(h, m, s, ms));
}

// What the date and time boxes show.
QStringList shown(ora::Form1& form) { return { form.Text1().text(), form.Text2().text() }; }

void type(forms::TextBox& box, const QString& text)
{
    auto* edit = static_cast<QLineEdit*>(box.widget());
    edit->clear();
    QTest::keyClicks(edit, text);
}

// What a screen reader is given of the window at start.
const std::map<QString, AccessibleTree> programs {
    { "ora", { "Window Form1", {
        "StaticText ΗΜΕΡΟΜΙΝΙΑ", "EditableText ΗΜΕΡΟΜΙΝΙΑ", "StaticText ΩΡΑ", "EditableText ΩΡΑ", "Button ΟΚ" } } },
};

// A zone file of the test's own, named by TZ (":<path>") for as long as it
// lives, as /etc/localtime is the system's: it starts as one zone and is
// replaced with another by a rename over it, as the desktop's settings replace
// /etc/localtime. Either a copy of the zone's file, or, as on Debian, a
// symbolic link to it: a watch on the path follows the link to the zone's
// own file, which never changes, so only the folder's watch hears the rename.
class ZoneFile {
public:
    enum Kind { Copy, Link };

    ZoneFile(const char* zone, Kind kind)
        : kind_(kind)
        , hadTz_(qEnvironmentVariableIsSet("TZ"))
        , tzBefore_(qgetenv("TZ"))
    {
        make(zone, path());
        qputenv("TZ", ':' + QFile::encodeName(path()));
    }
    ~ZoneFile()
    {
        if (hadTz_)
            qputenv("TZ", tzBefore_);
        else
            qunsetenv("TZ");
        tzset();
    }
    QString path() const { return dir_.filePath(QStringLiteral("localtime")); }
    bool replaceWith(const char* zone) const
    {
        const QString next = dir_.filePath(QStringLiteral("localtime.new"));
        return make(zone, next)
            && std::rename(QFile::encodeName(next).constData(), QFile::encodeName(path()).constData()) == 0;
    }

private:
    bool make(const char* zone, const QString& at) const
    {
        const QString file = QStringLiteral("/usr/share/zoneinfo/") + QLatin1String(zone);
        return kind_ == Link ? QFile::link(file, at) : QFile::copy(file, at);
    }
    Kind kind_;
    QTemporaryDir dir_;
    bool hadTz_;
    QByteArray tzBefore_;
};

// Whether the box shows the time of day now at `offset` seconds east of UTC,
// or of one of the two seconds before (the box fills at each tick).
bool showsTimeAt(const forms::TextBox& box, int offset)
{
    const QDateTime now = QDateTime::currentDateTimeUtc().toOffsetFromUtc(offset);
    for (int back = 0; back <= 2; ++back)
        if (box.text() == QLocale().toString(now.addSecs(-back).time(), QStringLiteral("h:mm:ss AP")))
            return true;
    return false;
}

}  // namespace

class Ora : public FamilyTest {
    Q_OBJECT

public:
    Ora() : FamilyTest("clock", programs) {}

private slots:
    void init() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // The boxes stay empty until the first tick; what is typed in them then
    // stays until the next tick replaces it.
    void boxesFillAtEachTick()
    {
        auto w = open<ora::Form1>("ora", { .at = at(2026, 12, 8, 14, 5, 8, 500) });
        QCOMPARE(shown(*w), QStringList({ "", "" }));
        w.clock().advance(999ms);
        QCOMPARE(shown(*w), QStringList({ "", "" }));
        w.clock().advance(1ms);
        QCOMPARE(shown(*w), QStringList({ "12/8/26", "2:05:09 PM" }));
        type(w->Text1(), "abc");
        type(w->Text2(), "12:00");
        w.clock().advance(999ms);
        QCOMPARE(shown(*w), QStringList({ "abc", "12:00" }));
        w.clock().advance(1ms);
        QCOMPARE(shown(*w), QStringList({ "12/8/26", "2:05:10 PM" }));
    }

    // The date alone in the short date format, the time alone in the long time
    // format without a time-zone name. A time of day of zero is still a time,
    // never a date.
    void tickTexts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QDateTime>("tick");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        const QDateTime afternoon = at(2026, 12, 8, 14, 5, 9, 250);
        const QDateTime morning = at(2027, 1, 2, 9, 7, 3, 999);
        QTest::newRow("Greek, afternoon") << "el_GR" << afternoon << "8/12/26" << "2:05:09 μ.μ.";
        QTest::newRow("Greek, morning") << "el_GR" << morning << "2/1/27" << "9:07:03 π.μ.";
        QTest::newRow("US English, afternoon") << "en_US" << afternoon << "12/8/26" << "2:05:09 PM";
        QTest::newRow("US English, morning") << "en_US" << morning << "1/2/27" << "9:07:03 AM";
        QTest::newRow("German, 24 hours") << "de_DE" << afternoon << "08.12.26" << "14:05:09";
        const QDateTime midnight = at(2027, 1, 1, 0, 0, 0);
        QTest::newRow("Greek, midnight") << "el_GR" << midnight << "1/1/27" << "12:00:00 π.μ.";
        QTest::newRow("US English, midnight") << "en_US" << midnight << "1/1/27" << "12:00:00 AM";
        QTest::newRow("German, midnight") << "de_DE" << midnight << "01.01.27" << "00:00:00";
    }
    void tickTexts()
    {
        QFETCH(QString, locale);
        QFETCH(QDateTime, tick);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QLocale::setDefault(QLocale(locale));
        auto w = open<ora::Form1>("ora", { .at = tick.addMSecs(-1000) });
        w.clock().advance(1000ms);
        QCOMPARE(shown(*w), QStringList({ date, time }));
    }

    // The date is read first, just before midnight, and the time after the wall
    // clock has stepped 2 ms on, just after it; the next tick shows the new date.
    void tickStraddlingMidnight()
    {
        auto w = open<ora::Form1>("ora", { .at = at(2026, 12, 31, 23, 59, 58, 999) });
        w.clock().advance(999ms);
        w.clock().stepAfterReadings(1, 2ms);
        w.clock().advance(1ms);
        QCOMPARE(shown(*w), QStringList({ "12/31/26", "12:00:00 AM" }));
        w.clock().advance(1000ms);
        QCOMPARE(shown(*w), QStringList({ "1/1/27", "12:00:01 AM" }));
    }

    // The system's zone changes while ΩΡΑ runs on the system clock: the tick
    // after the zone file was replaced shows Kolkata's time (+5:30), not one a
    // minute later. The test waits for the ticks, bounded by a generous limit.
    void zoneChangeShowsAtTheNextTick_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("a file renamed over the zone file") << int(ZoneFile::Copy);
        QTest::newRow("a link renamed over the zone's link") << int(ZoneFile::Link);
    }
    void zoneChangeShowsAtTheNextTick()
    {
        QFETCH(int, kind);
        const ZoneFile zone("Europe/Athens", ZoneFile::Kind(kind));
        const auto w = open<ora::Form1>("ora", { .systemClock = true });
        const int athens = QTimeZone("Europe/Athens").offsetFromUtc(QDateTime::currentDateTimeUtc());
        QTRY_VERIFY_WITH_TIMEOUT(showsTimeAt(w->Text2(), athens), 10000);
        QVERIFY(zone.replaceWith("Asia/Kolkata"));
        QTRY_VERIFY_WITH_TIMEOUT(showsTimeAt(w->Text2(), 19800), 10000);
    }

    // Where no event is handled to tell of a change of the zone file, the
    // offset asked again a minute later follows it all the same.
    void zoneChangeUnheardShowsWithinAMinute()
    {
        const ZoneFile zone("Europe/Athens", ZoneFile::Copy);
        forms::LocalTime local;
        const qint64 noonUtc = QDateTime(QDate(2026, 12, 8), QTime(12, 0), Qt::UTC).toMSecsSinceEpoch();
        QCOMPARE(local.at(noonUtc).time(), QTime(14, 0));
        QVERIFY(zone.replaceWith("Asia/Kolkata"));
        QCOMPARE(local.at(noonUtc + 60'000).time(), QTime(17, 31));
        QCOMPARE(local.at(noonUtc + 60'000).offsetFromUtc(), 19800);
    }
};

QTEST_MAIN(Ora)
#include "test_ora.moc"
