// The committed screenshots in docs/screenshots/ against what the programs draw
// now: the same set of files, and every picture the same pixel for pixel.
#include "shots.h"

#include <QApplication>
#include <QDir>
#include <QSet>
#include <QTest>

namespace {

const QDir committed(QStringLiteral(SCREENSHOTS_DIR));

}  // namespace

class ScreenshotsTest : public QObject {
    Q_OBJECT

private slots:
    void sameFiles()
    {
        QSet<QString> expected;
        for (const auto& shot : screenshots::all())
            expected << shot.name + QStringLiteral(".png");
        const QStringList files = committed.entryList({ QStringLiteral("*.png") }, QDir::Files);
        const QSet<QString> found(files.begin(), files.end());
        QVERIFY2(found == expected,
                 qPrintable(QStringLiteral("missing: %1; not rendered by any shot: %2")
                                .arg(QStringList((expected - found).values()).join(u' '),
                                     QStringList((found - expected).values()).join(u' '))));
    }

    void matches_data()
    {
        QTest::addColumn<int>("index");
        const auto shots = screenshots::all();
        for (int i = 0; i < int(shots.size()); ++i)
            QTest::newRow(qPrintable(shots[size_t(i)].name)) << i;
    }

    void matches()
    {
        QFETCH(int, index);
        const auto shot = screenshots::all()[size_t(index)];
        const QString file = committed.filePath(shot.name + QStringLiteral(".png"));
        const QImage expected = QImage(file).convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!expected.isNull(), qPrintable(file + QStringLiteral(" cannot be read")));
        const QImage actual = shot.render();
        QCOMPARE(actual.devicePixelRatio(), 1.0);

        const QString hint = QStringLiteral("; the program now draws %1.actual.png (in %2); "
                                            "after a deliberate change, run: cmake --build <build> --target screenshots")
                                 .arg(shot.name, QDir::currentPath());
        if (actual.size() != expected.size()) {
            actual.save(shot.name + QStringLiteral(".actual.png"));
            QFAIL(qPrintable(QStringLiteral("size %1x%2, committed %3x%4")
                                 .arg(actual.width()).arg(actual.height())
                                 .arg(expected.width()).arg(expected.height()) + hint));
        }
        int differing = 0;
        QPoint first;
        for (int y = 0; y < actual.height(); ++y)
            for (int x = 0; x < actual.width(); ++x)
                if (actual.pixel(x, y) != expected.pixel(x, y) && differing++ == 0)
                    first = QPoint(x, y);
        if (differing > 0) {
            actual.save(shot.name + QStringLiteral(".actual.png"));
            QFAIL(qPrintable(QStringLiteral("%1 pixels differ, the first at %2,%3")
                                 .arg(differing).arg(first.x()).arg(first.y()) + hint));
        }
    }
};

int main(int argc, char** argv)
{
    screenshots::prepareEnvironment();
    QApplication app(argc, argv);
    screenshots::prepareApplication();
    ScreenshotsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_screenshots.moc"
