// The icons the asset generator draws for the menu entries: one for every Icon a
// menu entry names, at every size, each a PNG that decodes to the right size with
// a transparent surround, all sizes filtered from one drawing, no two alike.
#include "table.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTest>

namespace {

const QList<int> sizes = { ICON_SIZES };

QString iconFile(const QString& icon, int size)
{
    return QStringLiteral(ICONS_DIR "/%1x%1/apps/%2.png").arg(size).arg(icon);
}

// The Icon the program's menu entry names, or what is wrong with the entry.
QString entryIcon(const forms::programs::Program& program)
{
    const QString entry = QStringLiteral(APPLICATIONS_DIR "/" DESKTOP_PREFIX) + QString::fromLatin1(program.id) + ".desktop";
    QFile file(entry);
    if (!file.open(QIODevice::ReadOnly))
        return entry + QStringLiteral(" is missing");
    const auto match = QRegularExpression(QStringLiteral("^Icon=(.*)$"), QRegularExpression::MultilineOption)
                           .match(QString::fromUtf8(file.readAll()));
    return match.hasMatch() ? match.captured(1) : entry + QStringLiteral(" names no icon");
}

// The mean colour weighted by opacity, and the mean opacity, over the whole icon.
struct Mean {
    double r, g, b, a;
};

Mean mean(const QImage& image)
{
    double r = 0, g = 0, b = 0, a = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            r += qRed(p) * qAlpha(p);
            g += qGreen(p) * qAlpha(p);
            b += qBlue(p) * qAlpha(p);
            a += qAlpha(p);
        }
    return { r / a, g / a, b / a, a / (image.width() * image.height()) };
}

}  // namespace

class IconsTest : public QObject {
    Q_OBJECT

private slots:
    void drawnAtEverySize_data()
    {
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<int>("size");
        for (const auto& program : forms::programs::all()) {
            const QString own = QStringLiteral(DESKTOP_PREFIX) + QString::fromLatin1(program.id);
            for (int size : sizes)
                QTest::addRow("%.*s %dpx", int(program.id.size()), program.id.data(), size)
                    << entryIcon(program) << own << size;
        }
    }

    // Every program's menu entry is there and names the icon of its own id, drawn
    // at this size.
    void drawnAtEverySize()
    {
        QFETCH(QString, named);
        QFETCH(QString, icon);
        QFETCH(int, size);
        QCOMPARE(named, icon);
        const QImage largest(iconFile(icon, sizes.last()));
        QVERIFY2(!largest.isNull(), qPrintable(iconFile(icon, sizes.last())));
        QImageReader reader(iconFile(icon, size));
        QCOMPARE(reader.format(), QByteArray("png"));
        QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString() + u' ' + reader.fileName()));
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY(image.hasAlphaChannel());
        image = image.convertToFormat(QImage::Format_ARGB32);
        // The corners are clear and the middle is drawn.
        for (QPoint corner : { QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1) })
            QCOMPARE(qAlpha(image.pixel(corner)), 0);
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
        // Every size averages the same drawing, so each keeps its overall colour
        // and coverage; only the rounding of each pixel differs.
        const Mean m = mean(image), expected = mean(largest.convertToFormat(QImage::Format_ARGB32));
        QCOMPARE_LT(qAbs(m.r - expected.r), 1.5);
        QCOMPARE_LT(qAbs(m.g - expected.g), 1.5);
        QCOMPARE_LT(qAbs(m.b - expected.b), 1.5);
        QCOMPARE_LT(qAbs(m.a - expected.a), 1.0);
    }

    // Each program can be told from the others in the menu: every pair alike is named.
    void noTwoAlike()
    {
        QStringList names, alike;
        for (const auto& program : forms::programs::all())
            names << entryIcon(program);
        for (int i = 0; i < names.size(); ++i)
            for (int j = i + 1; j < names.size(); ++j)
                if (QImage(iconFile(names[i], 48)) == QImage(iconFile(names[j], 48)))
                    alike << names[i] + QStringLiteral(" looks like ") + names[j];
        QVERIFY2(alike.isEmpty(), qPrintable(alike.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(IconsTest)
#include "test_icons.moc"
