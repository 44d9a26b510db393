// The data table dock's list of the latest scan, serial or Ethernet.

#include "data_table.h"
#include "linkstate.h"

#include <QHeaderView>
#include <QLabel>
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
        QWidget dock; // the table lives in a dock, which is not shown here
        QTableWidget &widget = *new QTableWidget(&dock);
        QLabel heading;
        DATA_TABLE table(&link, &widget, &heading);
        QCOMPARE(heading.text(), QStringLiteral("尚无扫描数据"));
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
        QCOMPARE(heading.text(), language ? QStringLiteral("No scan yet") : QStringLiteral("尚无扫描数据"));
    }

    // The latest scan on either link under a heading that names it; a dense
    // Ethernet scan is listed one sample in k, in at most 640 rows. A serial
    // scan after it gets the serial rows back.
    void rowsShowTheLatestScan_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("samples"); // NetScanLength
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("lastNumber"); // column 0 of the last row
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        QTest::newRow("serial") << "serial" << 1280 << 540 << 540 << "串口扫描：640 点中的前 540 点，间隔 0.5°"
                                << "Serial scan: first 540 of 640 samples, 0.5° apart";
        QTest::newRow("Ethernet 0.5°") << "tcp" << 640 << 640 << 640 << "以太网扫描 (TCP)：640 点，间隔 0.5°"
                                        << "Ethernet scan (TCP): 640 samples, 0.5° apart";
        QTest::newRow("Ethernet 0.2°, UDP")
            << "udp" << 1600 << 534 << 1600 << "以太网扫描 (UDP)：1600 点，间隔 0.2°；每 3 点列出 1 点，每行 0.6°"
            << "Ethernet scan (UDP): 1600 samples, 0.2° apart; one in 3 listed, 0.6° a row";
        QTest::newRow("Ethernet 0.025°")
            << "tcp" << 12800 << 640 << 12781 << "以太网扫描 (TCP)：12800 点，间隔 0.025°；每 20 点列出 1 点，每行 0.5°"
            << "Ethernet scan (TCP): 12800 samples, 0.025° apart; one in 20 listed, 0.5° a row";
        QTest::newRow("Ethernet, none complete") << "tcp" << 0 << 0 << 0 << "以太网扫描 (TCP)：尚无完整扫描"
                                                 << "Ethernet scan (TCP): no complete scan yet";
    }
    void rowsShowTheLatestScan()
    {
        QFETCH(QString, link);
        QFETCH(int, samples);
        QFETCH(int, rows);
        QFETCH(int, lastNumber);
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        LinkState state;
        state.ConnectionKind = link == "serial" ? 0 : 1;
        state.EthernetMode = link == "udp" ? 1 : 0;
        state.NetScanLength = samples;
        for (int s = 0; s < LinkState::NetRingSize; ++s)
            state.NetDistances[s] = quint16(65535 - (state.NetIntensities[s] = quint16(s)));
        for (int s = 0; s < 640; ++s)
            state.SerialDistances[s] = state.SerialIntensities[s] = quint16(50000 + s);
        QWidget dock;
        QTableWidget &widget = *new QTableWidget(&dock);
        QLabel heading;
        DATA_TABLE table(&state, &widget, &heading);
        table.DataTableWidgetDisplay();
        QCOMPARE(widget.rowCount(), rows);
        const int s = lastNumber - 1; // the sample of the last row
        if (rows > 0 && link != "serial")
            QCOMPARE(widget.item(rows - 1, 1)->text() + ' ' + widget.item(rows - 1, 2)->text(),
                     QString::number(65535 - s) + ' ' + QString::number(s));
        if (rows > 0)
            QCOMPARE(widget.item(rows - 1, 0)->text(), QString::number(lastNumber));
        QCOMPARE(heading.text(), chinese);
        table.retranslate(1);
        QCOMPARE(heading.text(), english);

        state.ConnectionKind = 0;
        table.DataTableWidgetDisplay();
        QCOMPARE(widget.rowCount(), 540);
        QCOMPARE(widget.columnWidth(0), 40);
        QCOMPARE(widget.item(539, 0)->text() + ' ' + widget.item(539, 2)->text(), QStringLiteral("540 50539"));
        // Put away, the table is filled when it is shown again.
        widget.hide();
        state.SerialDistances.fill(7);
        table.DataTableWidgetDisplay();
        QCOMPARE(widget.item(539, 1)->text(), QStringLiteral("50539"));
        dock.show();
        widget.show();
        QCOMPARE(widget.item(539, 1)->text(), QStringLiteral("7"));
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
        QWidget dock;
        QTableWidget &widget = *new QTableWidget(&dock);
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
