// The world map picture of the time map (made by scripts/make_world_map.py): the size of
// the map window's control, two colours only with the ocean exactly the colour the window
// makes transparent, and every city's marker on land or at the coast.

#include "core/timeservices/TimeMap.h"
#include "ui/timeservices/WorldMapPicture.h"

#include <QImage>
#include <QTest>

#include <set>

class TestWorldMap : public QObject {
    Q_OBJECT

private:
    static QImage map() { return domora::WorldMapImage(); }

    static bool isLand(const QImage& image, int x, int y) {
        return image.valid(x, y) && image.pixel(x, y) != domora::kOceanColour;
    }

private slots:
    void hasTheMapWindowsSize() {
        const QImage image = map();
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), QSize(domora::kMapWidth, domora::kMapHeight));
    }

    // No shades of the ocean at the coast: a blue pixel is the ocean colour itself, and the
    // land has at most a few colours, none of them blue.
    void oceanIsOneExactColour() {
        const QImage image = map();
        std::set<QRgb> landColours;
        int ocean = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (p == domora::kOceanColour) {
                    ++ocean;
                    continue;
                }
                if (qBlue(p) > qRed(p) && qBlue(p) > qGreen(p)) {
                    QFAIL(qPrintable(QStringLiteral("a shade of blue at %1,%2: %3")
                                         .arg(x)
                                         .arg(y)
                                         .arg(p & 0xFFFFFF, 6, 16, QLatin1Char('0'))));
                }
                landColours.insert(p);
            }
        }
        QVERIFY(landColours.size() <= 4);
        // Both are there in earnest: a world is mostly sea.
        const int all = image.width() * image.height();
        QVERIFY2(ocean > all / 2 && ocean < all * 9 / 10, qPrintable(QString::number(ocean)));
    }

    void everyCityIsOnLandOrAtTheCoast() {
        const QImage image = map();
        for (const domora::MapCity& city : domora::kMapCities) {
            bool near = false;
            for (int dy = -3; dy <= 3 && !near; ++dy) {
                for (int dx = -3; dx <= 3 && !near; ++dx) {
                    near = dx * dx + dy * dy <= 9 && isLand(image, city.pointX + dx, city.pointY + dy);
                }
            }
            QVERIFY2(near, city.text.data());
        }
    }
};

QTEST_MAIN(TestWorldMap)
#include "tst_WorldMap.moc"
