#include "teachin.h"
#include "teachrun.h"

#include <QSignalSpy>
#include <QtTest>
#include <cmath>

class TestTeachRun : public QObject
{
    Q_OBJECT
private slots:
    // The run gives what the search gives, later, on the caller's thread;
    // a second run is refused while the first is under way.
    void teachesOffTheCallersThread()
    {
        QVector<double> degrees;
        QVector<quint16> nearest;
        for (int i = 0; i < 1280; ++i) {
            degrees.append(-70.0 + 0.25 * i);
            nearest.append(quint16(3000 + 800 * std::sin(i / 40.0)));
        }
        TeachRun run;
        QSignalSpy done(&run, &TeachRun::finished);
        std::optional<QVector<QPoint>> got;
        connect(&run, &TeachRun::finished, this, [&](const std::optional<QVector<QPoint>> &points) {
            QCOMPARE(QThread::currentThread(), thread());
            got = points;
        });
        QVERIFY(run.start(degrees, nearest, 1000));
        QVERIFY(run.running());
        QVERIFY(!run.start(degrees, nearest, 500));
        QVERIFY(done.wait(20000));
        QVERIFY(!run.running());
        QCOMPARE(done.count(), 1);
        QVERIFY(got.has_value());
        QCOMPARE(got, TeachIn::teach(degrees, nearest, 1000));
    }
};

QTEST_MAIN(TestTeachRun)
#include "tst_teachrun.moc"
