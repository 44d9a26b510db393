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
    // Ethernet scan is listed one sample in `stride`, in at most 640 rows.
    // A serial scan after it gets the serial rows back.
    void rowsShowTheLatestScan_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("samples"); // NetScanLength
        QTest::addColumn<int>("udp");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("stride");
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        QTest::newRow("serial") << 0 << 1280 << 0 << 540 << 1 << "串口扫描：640 点中的前 540 点，间隔 0.5°"
                                << "Serial scan: first 540 of 640 samples, 0.5° apart";
        QTest::newRow("Ethernet 0.5°") << 1 << 640 << 0 << 640 << 1 << "以太网扫描 (TCP)：640 点，间隔 0.5°"
                                        << "Ethernet scan (TCP): 640 samples, 0.5° apart";
        QTest::newRow("Ethernet 0.2°, UDP")
            << 1 << 1600 << 1 << 534 << 3 << "以太网扫描 (UDP)：1600 点，间隔 0.2°；每 3 点列出 1 点，每行 0.6°"
            << "Ethernet scan (UDP): 1600 samples, 0.2° apart; one in 3 listed, 0.6° a row";
        QTest::newRow("Ethernet 0.025°")
            << 1 << 12800 << 0 << 640 << 20 << "以太网扫描 (TCP)：12800 点，间隔 0.025°；每 20 点列出 1 点，每行 0.5°"
            << "Ethernet scan (TCP): 12800 samples, 0.025° apart; one in 20 listed, 0.5° a row";
        QTest::newRow("Ethernet, none complete") << 1 << 0 << 0 << 0 << 1 << "以太网扫描 (TCP)：尚无完整扫描"
                                                 << "Ethernet scan (TCP): no complete scan yet";
    }
    void rowsShowTheLatestScan()
    {
        QFETCH(int, kind);
        QFETCH(int, samples);
        QFETCH(int, udp);
        QFETCH(int, rows);
        QFETCH(int, stride);
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        LinkState link;
        link.ConnectionKind = kind;
        link.NetScanLength = samples;
        link.EthernetMode = udp;
        for (int s = 0; s < LinkState::NetRingSize; ++s) {
            link.NetDistances[s] = quint16(s);
            link.NetIntensities[s] = quint16(65535 - s);
        }
        for (int s = 0; s < 640; ++s)
            link.SerialDistances[s] = link.SerialIntensities[s] = quint16(50000 + s);
        const bool net = kind == 1;
        QWidget dock;
        QTableWidget &widget = *new QTableWidget(&dock);
        QLabel heading;
        DATA_TABLE table(&link, &widget, &heading);
        table.DataTableWidgetDisplay();
        QCOMPARE(widget.rowCount(), rows);
        for (int r : {1, rows - 1}) {
            if (r < 1 || r >= rows)
                continue;
            const int s = r * stride;
            QCOMPARE(widget.item(r, 0)->text(), QString::number(net ? s + 1 : r + 1));
            QCOMPARE(widget.item(r, 1)->text(), QString::number(net ? s : 50000 + s));
            QCOMPARE(widget.item(r, 2)->text(), QString::number(net ? 65535 - s : 50000 + s));
        }
        QCOMPARE(heading.text(), chinese);
        table.retranslate(1);
        QCOMPARE(heading.text(), english);

        link.ConnectionKind = 0;
        table.DataTableWidgetDisplay();
        QCOMPARE(widget.rowCount(), 540);
        QCOMPARE(widget.columnWidth(0), 40);
        QCOMPARE(widget.item(539, 0)->text(), QStringLiteral("540"));
        QCOMPARE(widget.item(539, 2)->text(), QStringLiteral("50539"));
        QVERIFY(heading.text().startsWith(QStringLiteral("Serial scan")));

        // Put away, the table is filled when it is shown again.
        widget.hide();
        link.SerialDistances.fill(7);
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
