// Pictures on screens of every pixel density. The test runs once per scale
// factor (QT_SCALE_FACTOR 1, 1.5, 2 and 3 on the offscreen platform) and
// reads what each window's backing store holds, in device pixels.
#include <family_test.h>
#include <testing.h>

#include <forms/picture_density.h>

#include <QBackingStore>
#include <QImage>
#include <QSet>
#include <QTest>
#include <QWidget>

#include <cmath>

namespace {

// An image as its pixels, whatever density it was made for.
QImage pixelsOf(const QImage& image)
{
    QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    pixels.setDevicePixelRatio(1);
    return pixels;
}

// The window's backing store, as its device pixels: what was last painted for
// the screen once pending events have run.
QImage backingStore(const forms::Form& form)
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QBackingStore* store = form.window()->backingStore();
    if (!store || store->paintDevice()->devType() != QInternal::Image)
        return {};
    return pixelsOf(*static_cast<QImage*>(store->paintDevice()));
}

// A picture file as its pixels (not as the density its name gives it).
QImage readBmp(const QString& path) { return pixelsOf(QImage(path, "BMP")); }

QSet<QRgb> coloursOf(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) & 0xFFFFFFu);
    return colours;
}

// Horizontal pairs of device pixels (2i, 2i + 1), (3i, 3i + 1)... that differ:
// none when each picture pixel was merely enlarged `n` times across.
int finerColumns(const QImage& image, int n)
{
    int differing = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x + 1 < image.width(); x += n)
            differing += image.pixel(x, y) != image.pixel(x + 1, y);
    return differing;
}

QRect onDevice(QRect logical, qreal ratio)
{
    return { int(std::lround(logical.x() * ratio)), int(std::lround(logical.y() * ratio)),
             int(std::lround(logical.width() * ratio)), int(std::lround(logical.height() * ratio)) };
}

}  // namespace

class PictureDensityTest : public QObject {
    Q_OBJECT

private slots:
    void densityForRatio_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("density");
        QTest::newRow("0.5") << 0.5 << 1;
        QTest::newRow("1") << 1.0 << 1;
        QTest::newRow("1.25") << 1.25 << 2;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2") << 2.0 << 2;
        QTest::newRow("2.01") << 2.01 << 3;
        QTest::newRow("3") << 3.0 << 3;
        QTest::newRow("3.5") << 3.5 << 1;
        QTest::newRow("4") << 4.0 << 1;
    }
    void densityForRatio()
    {
        QFETCH(qreal, ratio);
        QFETCH(int, density);
        QCOMPARE(forms::pictureDensityFor(ratio), density);
    }

    void pathAtDensity()
    {
        QCOMPARE(forms::picturePathAt(":/pictures/chase_car.bmp", 1), QString(":/pictures/chase_car.bmp"));
        QCOMPARE(forms::picturePathAt(":/pictures/chase_car.bmp", 2), QString(":/pictures/chase_car@2x.bmp"));
        QCOMPARE(forms::picturePathAt(":/pictures/chase2_figure2.bmp", 3), QString(":/pictures/chase2_figure2@3x.bmp"));
        QCOMPARE(forms::picturePathAt(":/a.b/picture", 2), QString(":/a.b/picture@2x"));
    }

    // Where a density is missing (here only the 1× picture is compiled in
    // under :/lonely/), the 1× picture is shown at every ratio.
    void missingDensityFallsBack()
    {
        const forms::PictureSet set(":/lonely/trafficlight_red.bmp");
        for (const qreal ratio : { 1.0, 1.5, 2.0, 3.0 }) {
            const QPixmap& shown = set.forRatio(ratio);
            QCOMPARE(shown.size(), QSize(57, 129));
            QCOMPARE(shown.devicePixelRatio(), 1.0);
        }
    }

    // Each picture the programs are built with comes at 2× and 3×: as many
    // more pixels each way, in the 1× picture's own colours, and finer than
    // its pixels enlarged. The pictures of each window stand where they stand
    // at 1×, at the density of the screen: at a whole ratio the backing store
    // holds the picture drawn for it pixel for pixel (at 1× as every window
    // showed it before), and at 1.5 a 1.5 times larger picture in its own colours.
    void picturesOnTheWindow_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("red");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("shown");  // what of it is seen, in pixels of the client area
        QTest::addColumn<bool>("stretched");
        // lamp1: 150, 30, 57 × 119, inside its two-pixel frame.
        QTest::newRow("green light") << "trafficlight_green" << QSize(54, 127) << "trafficlight" << false << "lamp1"
                                     << QRect(152, 32, 53, 115) << false;
        QTest::newRow("red light") << "trafficlight_red" << QSize(57, 129) << "trafficlight" << true << "lamp"
                                   << QRect(150, 30, 57, 119) << true;
        QTest::newRow("cartoon car") << "chase_cartoon" << QSize(62, 42) << "chase" << false << "b2"
                                     << QRect(350, 90, 62, 42) << false;
        QTest::newRow("racing car") << "chase_car" << QSize(62, 28) << "chase" << false << "A1"
                                    << QRect(20, 106, 62, 28) << false;
        // Line1 runs across the foot of chase2's A1 at row 136, at 2× over
        // half of the row above it too.
        QTest::newRow("figure") << "chase2_figure" << QSize(30, 68) << "chase2" << false << "A1"
                                << QRect(70, 70, 30, 65) << false;
        QTest::newRow("second figure") << "chase2_figure2" << QSize(45, 63) << "chase2" << false << "b2"
                                       << QRect(370, 70, 45, 63) << false;
    }
    void picturesOnTheWindow()
    {
        QFETCH(QString, picture);
        QFETCH(QSize, size);
        QFETCH(QString, program);
        QFETCH(bool, red);
        QFETCH(QString, control);
        QFETCH(QRect, shown);
        QFETCH(bool, stretched);

        const QString path = ":/pictures/" + picture + ".bmp";
        const forms::PictureSet set(path.toStdString());
        QCOMPARE(set.size(), size);
        const QImage standard = readBmp(path);
        for (const int density : { 2, 3 }) {
            const QPixmap& made = set.forRatio(density);
            QCOMPARE(made.devicePixelRatio(), qreal(density));
            QCOMPARE(made.size(), size * density);
            QCOMPARE(made.deviceIndependentSize(), QSizeF(size));
            const QImage dense = pixelsOf(made.toImage());
            QCOMPARE(dense, readBmp(forms::picturePathAt(path, density)));
            QVERIFY(coloursOf(dense).contains(coloursOf(standard)));
            QVERIFY(finerColumns(dense, density) > 0);
        }

        const auto form = forms::testing::openProgram(program);
        if (red)
            forms::testing::clickAt(*form, QPoint(180, 275));
        const forms::Control* item = form->find(control.toStdString());
        QVERIFY(item);
        QVERIFY(item->visible());
        if (const auto* image = dynamic_cast<const forms::Image*>(item))
            QCOMPARE(image->rect().topLeft(), shown.topLeft());
        else
            QCOMPARE(item->widget()->geometry().topLeft() + QPoint(2, 2), shown.topLeft());

        const qreal ratio = form->window()->devicePixelRatioF();
        QCOMPARE(ratio, qgetenv("QT_SCALE_FACTOR").isEmpty() ? 1.0 : qgetenv("QT_SCALE_FACTOR").toDouble());
        const QPoint client = form->surface().mapTo(form->window(), QPoint(0, 0));
        const QImage store = backingStore(*form);
        QVERIFY(!store.isNull());
        const QImage seen = store.copy(onDevice(shown.translated(client), ratio));
        const int whole = int(ratio);
        // The file drawn for this ratio: 1× up to 1, @2x up to 2, @3x up to 3.
        const int density = ratio <= 1 ? 1 : ratio <= 2 ? 2 : 3;
        const QString file = density == 1 ? picture + ".bmp" : QString("%1@%2x.bmp").arg(picture).arg(density);
        const QImage drawn = readBmp(":/pictures/" + file);
        QCOMPARE(drawn.size(), standard.size() * density);

        // No smoothing at any ratio: only the colours of the picture shown.
        QVERIFY(coloursOf(seen).subtract(coloursOf(drawn)).isEmpty());

        if (whole != ratio) {
            // The picture's pixels sampled at the middle of each of its pixels
            // are, nearly all of them, where the 1× picture has them.
            int same = 0;
            const int all = shown.width() * shown.height();
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) {
                    const int py = stretched ? int((y + 0.5) * standard.height() / shown.height()) : y;
                    same += seen.pixel(int((x + 0.5) * ratio), int((y + 0.5) * ratio)) == standard.pixel(x, py);
                }
            QVERIFY2(same * 10 >= all * 9, qPrintable(QString("%1 of %2 pixels as at 1×").arg(same).arg(all)));
            return;
        }
        if (whole > 1)
            QVERIFY2(finerColumns(seen, whole) > 0, "the picture is its 1× pixels enlarged");
        if (stretched) {
            // The lit lens, rows 10 to 53 of 129 squeezed into 119 rows.
            QCOMPARE(seen.pixel(28 * whole, 30 * whole) & 0xFFFFFFu, 0xFF0000u);
            return;
        }
        QCOMPARE(seen, drawn.copy(0, 0, seen.width(), seen.height()));
    }
};

QTEST_MAIN(PictureDensityTest)
#include "test_picture_density.moc"
