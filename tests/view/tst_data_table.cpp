// The data table dock's list of the serial scan.

#include "data_table.h"
#include "linkstate.h"

#include <QHeaderView>
#include <QtTest>

class TestDataTable : public QObject
{
    Q_OBJECT
private slots:
    void layoutAndHeaders_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("headers");
        QTest::newRow("chinese") << 0 << QStringList{"角度", "距离[mm]", "反光强度"};
        QTest::newRow("english") << 1 << QStringList{"Step", "Distance[mm]", "Intensity"};
    }
    void layoutAndHeaders()
    {
        QFETCH(int, language);
        QFETCH(QStringList, headers);
        LinkState link;
        QTableWidget widget;
        DATA_TABLE table(&link, &widget);
        QCOMPARE(widget.rowCount(), 540);
        QCOMPARE(widget.columnCount(), 3);
        QCOMPARE(widget.rowHeight(539), 22);
        QCOMPARE(widget.columnWidth(0), 40);
        QCOMPARE(widget.columnWidth(1), 90);
        QVERIFY(widget.horizontalHeader()->stretchLastSection());
        QVERIFY(!widget.verticalHeader()->isVisible());
        QCOMPARE(widget.editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(widget.selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(widget.item(0, 0)->text(), QStringLiteral("1"));
        QCOMPARE(widget.item(539, 0)->text(), QStringLiteral("540"));

        table.retranslate(1 - language);
        table.retranslate(language);
        for (int c = 0; c < 3; ++c)
            QCOMPARE(widget.horizontalHeaderItem(c)->text(), headers[c]);
    }

    // The serial buffers are already in drawing order; the list of a
    // reversed scanner runs from the other end.
    void rowsShowTheSerialScan_data()
    {
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<int>("firstRowSample");
        QTest::newRow("mounted normally") << false << 0;
        QTest::newRow("mounted reversed") << true << 539;
    }
    void rowsShowTheSerialScan()
    {
        QFETCH(bool, reversed);
        QFETCH(int, firstRowSample);
        LinkState link;
        link.DirectionReversed = reversed;
        for (int s = 0; s < 640; ++s) {
            link.SerialDistances[s] = quint16(10000 + s);
            link.SerialIntensities[s] = quint16(20000 + s);
        }
        QTableWidget widget;
        DATA_TABLE table(&link, &widget);
        table.DataTableWidgetDisplay();
        const int lastRowSample = 539 - firstRowSample;
        QCOMPARE(widget.item(0, 1)->text(), QString::number(10000 + firstRowSample));
        QCOMPARE(widget.item(0, 2)->text(), QString::number(20000 + firstRowSample));
        QCOMPARE(widget.item(539, 1)->text(), QString::number(10000 + lastRowSample));
        QCOMPARE(widget.item(539, 2)->text(), QString::number(20000 + lastRowSample));
        QCOMPARE(widget.item(539, 0)->text(), QStringLiteral("540"));

        // The next scan rewrites every row.
        link.SerialDistances.fill(7);
        link.SerialIntensities.fill(0);
        table.DataTableWidgetDisplay();
        QCOMPARE(widget.item(0, 1)->text(), QStringLiteral("7"));
        QCOMPARE(widget.item(539, 2)->text(), QStringLiteral("0"));
    }
};

QTEST_MAIN(TestDataTable)
#include "tst_data_table.moc"
