#include "polar.h"

#include <QtTest>

class TestPolar : public QObject
{
    Q_OBJECT
private slots:
    void angleFoldsIntoSeamOnNegativeY_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<float>("degrees");
        QTest::newRow("+x") << QPoint(1, 0) << 0.0f;
        QTest::newRow("+y") << QPoint(0, 1) << 90.0f;
        QTest::newRow("-x") << QPoint(-1, 0) << 180.0f;
        QTest::newRow("-x-y") << QPoint(-1, -1) << 225.0f;
        QTest::newRow("-y is the seam, -90") << QPoint(0, -1) << -90.0f;
        QTest::newRow("+x-y") << QPoint(1, -1) << -45.0f;
        QTest::newRow("origin") << QPoint(0, 0) << 0.0f;
    }
    void angleFoldsIntoSeamOnNegativeY()
    {
        QFETCH(QPoint, point);
        QFETCH(float, degrees);
        const float angle = toPolar(point).angle;
        QVERIFY2(angle >= -1.5707965f && angle < 4.712389f, qPrintable(QString::number(angle)));
        QVERIFY2(qAbs(angle * kRadToDeg - degrees) < 1e-4f, qPrintable(QString::number(angle * kRadToDeg)));
    }

    void exactSinglePrecisionValues()
    {
        // 225 degrees is 3.926991 rad in single precision.
        QCOMPARE(toPolar(QPoint(-1, -1)).angle, 3.926991f);
        QCOMPARE(toPolar(QPoint(3, 4)).distance, 5.0f);
        QCOMPARE(toPolar(QPoint(0, 0)).distance, 0.0f);
    }

    void distanceOfLargeClassDoesNotOverflow()
    {
        // 60000^2 + 60000^2 overflows int32; the distance must still be right.
        QCOMPARE(toPolar(QPoint(60000, 0)).distance, 60000.0f);
        QVERIFY(qAbs(toPolar(QPoint(-60000, -60000)).distance - 84852.81f) < 0.01f);
    }

    void fromPolarTruncatesTowardsZero()
    {
        QCOMPARE(fromPolar(100.0f, kDegToRad * 45.0f), QPoint(70, 70));
        // Negative components truncate towards zero too, not down.
        QCOMPARE(fromPolar(100.0f, kDegToRad * 225.0f), QPoint(-70, -70));
        QCOMPARE(fromPolar(1000.0f, 0.0f), QPoint(1000, 0));
        // cos(90 deg) in single precision is a tiny negative number: x truncates to 0.
        QCOMPARE(fromPolar(1000.0f, kDegToRad * 90.0f), QPoint(0, 1000));
    }

    void fromPolarSaturatesInsteadOfOverflowing()
    {
        const QPoint p = fromPolar(1e12f, 0.0f);
        QCOMPARE(p.x(), 2147483647);
        QCOMPARE(fromPolar(std::numeric_limits<float>::quiet_NaN(), 0.0f), QPoint(0, 0));
    }

    void roundTripStaysWithinOneMillimetre()
    {
        for (int x = -3000; x <= 3000; x += 377) {
            for (int y = -3000; y <= 3000; y += 419) {
                const PolarPoint pp = toPolar(QPoint(x, y));
                const QPoint back = fromPolar(pp.distance, pp.angle);
                QVERIFY2(qAbs(back.x() - x) <= 1 && qAbs(back.y() - y) <= 1,
                         qPrintable(QStringLiteral("%1,%2 -> %3,%4").arg(x).arg(y).arg(back.x()).arg(back.y())));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestPolar)
#include "tst_polar.moc"
