// The configuration's fingerprint against a value worked out by hand, and the
// commissioning report as a reader sees it: its text through pdftotext.

#include "commissioningreport.h"
#include "parameternames.h"
#include "projectfile.h"
#include "reportcontent.h"
#include "sensordockwords.h"
#include "shapekind.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {
// SHA-256 of tests/data/cli_fleet.VQ30, computed once with Python's hashlib
// over the frame bytes laid out by hand from the frame description (areas 0,
// 1 and 5 as drawn, the 61 others blank, the case rows, the 25 words).
const char kGoldenSha256[] = "ad1e72349294afcc066063f28a45dfa12a274673211142d29111c93cd88eb6c5";

QByteArray goldenText()
{
    QFile f(QStringLiteral(QM_TEST_DATA "/cli_fleet.VQ30"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Configuration configOf(const QByteArray &text)
{
    Configuration c;
    EditData data;
    QTextStream in(text);
    c.deviceClass = readProjectFile(in, c.rows, data);
    c.areas = data.Areas;
    return c;
}

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("(pdftotext failed; poppler-utils installed? %1)").arg(p.errorString());
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

class TstReport : public QObject
{
    Q_OBJECT
private slots:
    void fingerprint_data();
    void fingerprint();
    void drawingScale_data();
    void drawingScale();
    void pointPages_data();
    void pointPages();
    void reportText_data();
    void reportText();
    void nothingInUse();
    void failedSaveLeavesNothing();
};

void TstReport::fingerprint_data()
{
    QTest::addColumn<QByteArray>("from"); // replaced in the golden file's text
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("expected"); // "golden", "other", or "refused A O" (area, output)

    QTest::newRow("the golden file") << QByteArray() << QByteArray() << "golden";
    QTest::newRow("points listed in another order") << QByteArray("1000,0\n-1000,500\n")
                                                    << QByteArray("-1000,500\n1000,0\n") << "golden";
    QTest::newRow("another save date") << QByteArray("2026-12-08") << QByteArray("2027-01-01") << "golden";
    QTest::newRow("one point moved by 1 mm") << QByteArray("\n0,2000\n") << QByteArray("\n0,2001\n") << "other";
    QTest::newRow("an arc point within its whole degree") << QByteArray("-2000,10\n") << QByteArray("-2000,11\n")
                                                          << "golden";
    QTest::newRow("a case field") << QByteArray("\n-50\n50\n") << QByteArray("\n-50\n51\n") << "other";
    QTest::newRow("a delay") << QByteArray("CoordTableData\n0\n2\n") << QByteArray("CoordTableData\n0\n3\n") << "other";
    QTest::newRow("the last parameter word") << QByteArray("\n700\nCoord") << QByteArray("\n701\nCoord") << "other";
    QTest::newRow("the last address octet") << QByteArray("\n77\n") << QByteArray("\n78\n") << "other";
    QTest::newRow("mounted reversed") << QByteArray("\n2\n0\n1\n3\n0\n192") << QByteArray("\n2\n1\n1\n3\n0\n192")
                                      << "other";
    QTest::newRow("an output kind") << QByteArray("\n1\n0\n1\n5\nOut1") << QByteArray("\n1\n0\n1\n4\nOut1")
                                    << "other";
    QTest::newRow("a coordinate the link refuses") << QByteArray("\n3000,-200") << QByteArray("\n32768,-200")
                                                   << "refused 5 0";
}

// Any change the scanner would notice changes it; what it would not, does not.
void TstReport::fingerprint()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, expected);
    QByteArray text = goldenText();
    if (!from.isEmpty()) {
        QCOMPARE(text.count(from), 1);
        text.replace(from, to);
    }
    const Configuration config = configOf(text);
    QCOMPARE(config.deviceClass, 3);
    const ConfigFingerprint f = configFingerprint(config);
    if (expected.startsWith(QLatin1String("refused"))) {
        QVERIFY(!f.isValid());
        QCOMPARE(f.shortHex(), QString());
        QCOMPARE(QStringLiteral("refused %1 %2").arg(f.refused.area).arg(f.refused.output), expected);
        QCOMPARE(f.text(0), QStringLiteral("none (area 5, Out1 cannot be sent)"));
        QCOMPARE(f.text(1), QStringLiteral("无 (区域 5 的 Out1 无法下载)"));
        return;
    }
    QCOMPARE(f.hex() == QLatin1String(kGoldenSha256), expected == QLatin1String("golden"));
    QCOMPARE(f.text(1), f.hex().left(16));
    // A scanner holding these words gives the same name as the file.
    Configuration read = config;
    read.words = SensorDockWords::wordsOfRows(config.rows, SensorParameters::defaults());
    QCOMPARE(configFingerprint(read).hex(), f.hex());
}

void TstReport::drawingScale_data()
{
    QTest::addColumn<QSizeF>("extent"); // millimetres, on 100 x 100 mm of paper
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("grid"); // at least 8 mm on paper

    QTest::newRow("fits at 1:1") << QSizeF(100, 40) << 1 << 10;
    QTest::newRow("just over: 1:2") << QSizeF(100.5, 10) << 2 << 20;
    QTest::newRow("height decides") << QSizeF(10, 550) << 6 << 50;
    QTest::newRow("no 1:12.5") << QSizeF(1100, 10) << 15 << 200;
    QTest::newRow("1:125") << QSizeF(12000, 12500) << 125 << 1000;
    QTest::newRow("1:750") << QSizeF(70000, 10) << 750 << 10000;
    QTest::newRow("the largest class") << QSizeF(120000, 120000) << 1250 << 10000;
}

void TstReport::drawingScale()
{
    QFETCH(QSizeF, extent);
    QFETCH(int, scale);
    QFETCH(int, grid);
    QCOMPARE(ReportContent::drawingScale(extent, QSizeF(100, 100)), scale);
    QCOMPARE(ReportContent::gridStep(scale, 8), grid);
}

void TstReport::pointPages_data()
{
    QTest::addColumn<QVector<int>>("counts"); // points of Out1..Out3
    QTest::addColumn<QString>("pages");      // per page its columns, output:first+count

    QTest::newRow("empty area") << QVector<int>{0, 0, 0} << "0:0+0 1:0+0 2:0+0";
    QTest::newRow("one column each") << QVector<int>{4, 2, 1} << "0:0+4 1:0+2 2:0+1";
    QTest::newRow("a full column") << QVector<int>{9, 0, 0} << "0:0+9 1:0+0 2:0+0";
    QTest::newRow("one point over") << QVector<int>{10, 0, 0} << "0:0+9 0:9+1 1:0+0 | 2:0+0";
    QTest::newRow("later pages hold more") << QVector<int>{30, 0, 40}
                                           << "0:0+9 0:9+9 0:18+9 | 0:27+3 1:0+0 2:0+19 | 2:19+19 2:38+2";
}

// Nine points a column under the drawing, nineteen on a later page, three
// columns a page.
void TstReport::pointPages()
{
    QFETCH(QVector<int>, counts);
    QFETCH(QString, pages);
    AreaRecord a;
    for (int o = 0; o < 3; ++o)
        for (int i = 0; i < counts.at(o); ++i)
            a.points(o).append(QPoint(i, 1));
    QStringList shown;
    for (const QVector<ReportContent::PointColumn> &page : ReportContent::pointPages(a, 3, 10, 20)) {
        QStringList columns;
        for (const ReportContent::PointColumn &c : page)
            columns << QStringLiteral("%1:%2+%3").arg(c.output).arg(c.first).arg(c.count);
        shown << columns.join(QLatin1Char(' '));
    }
    QCOMPARE(shown.join(QStringLiteral(" | ")), pages);
    // Table rows, too, fill whole pages before the next; an empty table has its page.
    QCOMPARE(ReportContent::pageCount(counts.at(0), 10), qMax(1, (counts.at(0) + 9) / 10));
}

void TstReport::reportText_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("fingerprint");
    QTest::addColumn<QString>("arc");       // area 0's Out2 as the scanner keeps it
    QTest::addColumn<QString>("reach"); // %1 mm: how far a zone reaches
    QTest::newRow("English") << 0 << "Area %1" << "Fingerprint" << "stored as 0° … 179°, radius 2000 mm"
                             << "reach %1 mm";
    QTest::newRow("Chinese") << 1 << "区域 %1" << "配置指纹" << "保存为 0° … 179°, 半径 2000 mm" << "最远 %1 mm";
}

// What a reader finds in the PDF: the fingerprint on every page, every
// parameter as the dock names it, every area in use and no other.
void TstReport::reportText()
{
    QFETCH(int, language);
    QFETCH(QString, area);
    QFETCH(QString, fingerprint);
    QFETCH(QString, arc);
    QFETCH(QString, reach);
    CommissioningReport report;
    report.language = language;
    report.date = QDate(2026, 12, 9);
    report.projectFile = QStringLiteral("fleet.VQ30");
    report.config = configOf(goldenText());
    // A wide fan: drawn as curves, whose points bulge out a little.
    report.config.areas[62].Out1Points = {QPoint(-30000, 9000), QPoint(0, 32000), QPoint(30000, 9000)};
    report.config.areas[62].Out2Shape = Fan;
    report.config.areas[62].Out2Points = {QPoint(0, 30000)};
    report.config.areas[63].Out3Points = {QPoint(0, 900)}; // in use by its last output alone, a line
    report.product = ProductInfo{9, 105, 4711, 2024, 8, 21};
    report.fingerprint = configFingerprint(report.config);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    QString error;
    QVERIFY2(report.save(pdf, &error), qPrintable(error));
    const QString text = pdfText(pdf);
    QVERIFY2(!text.startsWith(QLatin1String("(pdftotext")), qPrintable(text));

    const QRegularExpression footer(fingerprint + QStringLiteral(" +") + report.fingerprint.shortHex());
    QCOMPARE(text.count(footer), report.pageCount());
    QCOMPARE(text.count(QLatin1Char('\f')), report.pageCount());
    QVERIFY(text.contains(report.fingerprint.hex()));
    QVERIFY(text.contains(QStringLiteral("VQxxxx-ETH (9)")) && text.contains(QStringLiteral("4711")));
    QVERIFY(text.contains(QStringLiteral("2024-08-21")) && text.contains(QStringLiteral("fleet.VQ30")));
    QCOMPARE(text.count(arc.section(QLatin1Char(' '), 0, 0)), 1); // no other output is an arc
    QVERIFY(text.contains(arc));
    for (int mm : {2121, 32000, 30000, 900})
        QVERIFY2(text.contains(reach.arg(mm)), qPrintable(reach.arg(mm)));
    QVERIFY(!text.contains(reach.arg(0))); // an output without points has no zone to measure
    for (int row = 0; row < kSensorDockRows; ++row)
        if (isParameterRow(row))
            QVERIFY2(text.contains(parameterName(row, language)), qPrintable(parameterName(row, language)));
    for (int i = 0; i < 64; ++i) {
        const bool used = i == 0 || i == 1 || i == 5 || i == 62 || i == 63;
        // Its title, the overview's caption and its row in the case table.
        QVERIFY2(text.contains(area.arg(i) + QLatin1Char('\n')) == used, qPrintable(area.arg(i)));
    }
}

// Without a zone the report still says what the scanner holds, and that no
// area is in use.
void TstReport::nothingInUse()
{
    CommissioningReport report;
    report.fingerprint = configFingerprint(report.config);
    QTemporaryDir dir;
    QString error;
    QVERIFY2(report.save(dir.filePath(QStringLiteral("r.pdf")), &error), qPrintable(error));
    const QString text = pdfText(dir.filePath(QStringLiteral("r.pdf")));
    QCOMPARE(report.pageCount(), 3); // first page, parameters, case table
    QCOMPARE(text.count(QLatin1Char('\f')), 3);
    QVERIFY2(text.contains(QStringLiteral("No area holds a zone.")), qPrintable(text));
}

// A report that cannot be written reports so and leaves no file.
void TstReport::failedSaveLeavesNothing()
{
    QTemporaryDir dir;
    CommissioningReport report;
    report.config = configOf(goldenText());
    QString error;
    QVERIFY(!report.save(dir.filePath(QStringLiteral("missing/r.pdf")), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

QTEST_MAIN(TstReport)
#include "tst_report.moc"
