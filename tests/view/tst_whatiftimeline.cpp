// The what-if timeline: a click near a disagreement mark picks that scan,
// elsewhere the nearest scan.

#include "whatiftimeline.h"

#include <QSignalSpy>
#include <QtTest>

class TestWhatIfTimeline : public QObject
{
    Q_OBJECT
private slots:
    void clickPicksScan_data()
    {
        QTest::addColumn<int>("output");
        QTest::addColumn<int>("scan");
        QTest::newRow("beside a mark") << 1 << 40;
        QTest::newRow("a row without marks") << 0 << 41;
    }
    void clickPicksScan()
    {
        QFETCH(int, output);
        QFETCH(int, scan);
        WhatIfResult r;
        for (int i = 0; i < 100; ++i) {
            WhatIfScan s;
            s.timeUs = i * 50000;
            s.area = 0;
            s.reportKnown = true;
            r.scans.append(s);
        }
        r.scans[40].project = 2;
        r.scans[40].compared = true;
        r.scans[40].disagreeMask = 2;
        r.outputs[1].disagreements = {40};

        WhatIfTimeline timeline;
        timeline.resize(600, 150);
        timeline.setResult(r);
        QSignalSpy clicked(&timeline, &WhatIfTimeline::scanClicked);
        // Three pixels right of the mark: nearer to scan 41 in time.
        const QPoint at(timeline.xOfTime(r.scans.at(40).timeUs) + 3, timeline.rowRect(output).top() + 2);
        QTest::mouseClick(&timeline, Qt::LeftButton, {}, at);
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), scan);
    }
};

QTEST_MAIN(TestWhatIfTimeline)
#include "tst_whatiftimeline.moc"
