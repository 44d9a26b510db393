#include "labelcache.h"

#include <QPainter>
#include <QtTest>

namespace {
QImage canvas()
{
    QImage image(160, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

QFont labelFont(double points)
{
    QFont font(QStringLiteral("Times"));
    font.setPointSizeF(points);
    font.setWeight(QFont::Black);
    return font;
}
} // namespace

class TestLabelCache : public QObject
{
    Q_OBJECT
private slots:
    // A cached label lands on the same pixels as the text drawn straight
    // away, whatever the font, so the axis labels do not shift.
    void drawsWhereDrawTextDraws_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("points");
        QTest::addColumn<QPointF>("baseline");
        QTest::newRow("small") << QStringLiteral("-12.5") << 8.0 << QPointF(10, 20);
        QTest::newRow("large") << QStringLiteral("36") << 20.0 << QPointF(40, 45);
        QTest::newRow("fractional") << QStringLiteral("0.1") << 10.0 << QPointF(20.5, 30.25);
    }

    void drawsWhereDrawTextDraws()
    {
        QFETCH(QString, text);
        QFETCH(double, points);
        QFETCH(QPointF, baseline);
        QImage expected = canvas(), cached = canvas();
        {
            QPainter p(&expected);
            p.setFont(labelFont(points));
            p.drawText(baseline, text);
        }
        LabelCache cache;
        for (int twice = 0; twice < 2; ++twice) { // laid out, then from the cache
            cached = canvas();
            QPainter p(&cached);
            p.setFont(labelFont(points));
            cache.draw(&p, baseline, text);
        }
        QCOMPARE(cached, expected);
    }

    void keepsOneFontAndABoundedNumberOfTexts()
    {
        QImage image = canvas();
        QPainter p(&image);
        LabelCache cache;
        p.setFont(labelFont(10));
        cache.draw(&p, QPointF(5, 20), QStringLiteral("1"));
        cache.draw(&p, QPointF(5, 20), QStringLiteral("1"));
        cache.draw(&p, QPointF(5, 20), QStringLiteral("2"));
        QCOMPARE(cache.size(), 2);
        // Another zoom, another font: the old layouts are of no use.
        p.setFont(labelFont(11));
        cache.draw(&p, QPointF(5, 20), QStringLiteral("1"));
        QCOMPARE(cache.size(), 1);
        int most = 0;
        for (int i = 0; i < 3 * LabelCache::Capacity; ++i) {
            cache.draw(&p, QPointF(5, 20), QString::number(i));
            most = qMax(most, cache.size());
        }
        QCOMPARE(most, LabelCache::Capacity);
    }
};

QTEST_MAIN(TestLabelCache)
#include "tst_labelcache.moc"
