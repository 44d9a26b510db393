// The quillmark-cli program against the real scanner-emulator program over
// TCP, UDP and a pseudo-terminal: transfers between two scanners, the check
// before sending, and what bad input gets (message, exit status, files left
// alone). The project file the tests start from is written by hand.

#include "emulatorprocess.h"
#include "recording.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>
#include <signal.h>

namespace {
struct Run
{
    int status = -1;
    QString out;
    QString err;
    QString all() const { return out + err; }
};

Run cli(const QStringList &args, int timeoutMs = 60000)
{
    QProcess p;
    p.start(QStringLiteral(CLI_PATH), args);
    Run r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("(did not finish)");
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QByteArray golden()
{
    QFile f(QStringLiteral(QM_TEST_DATA "/cli_fleet.VQ30"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

QString scannerOf(const Emulator &e, const QString &kind)
{
    if (kind == QLatin1String("pty"))
        return QStringLiteral("serial:") + e.pty;
    return QStringLiteral("%1:127.0.0.1:%2").arg(kind).arg(e.port);
}

// The golden file with area 5's first output grown to `count` points, each
// at its own angle (points at the same angle share a slot).
QByteArray withPolygonOf(int count)
{
    QByteArray extra;
    for (int i = 3; i < count; ++i)
        extra += QByteArray::number(10 * i - 1500) + ",5000\n";
    QByteArray bytes = golden();
    bytes.replace("0,4000\nOut1CoordEnd", "0,4000\n" + extra + "Out1CoordEnd");
    return bytes;
}

// diff's first line names both fingerprints, the differences follow.
QString differencesOf(const Run &r) { return r.out.section(QLatin1Char('\n'), 1); }
QStringList fingerprintsOf(const Run &r)
{
    const QStringList both = r.out.section(QLatin1Char('\n'), 0, 0).section(QLatin1String(": "), 1).split(QLatin1String(" | "));
    return both.size() == 2 && both.at(0).size() == 16 && both.at(1).size() == 16 ? both : QStringList();
}
bool sameFingerprints(const Run &r) { return fingerprintsOf(r).value(0) == fingerprintsOf(r).value(1, QStringLiteral("-")); }

QJsonObject jsonOf(const Run &r) { return QJsonDocument::fromJson(r.out.toUtf8()).object(); }

int framesReceived(Emulator &e) { return e.log().count(QStringLiteral(" <- ")); }

// The golden file's settings with 64 areas of arcs at many angles and radii,
// each output's two points placed between whole degrees as a user drags them.
QByteArray arcProject(bool reversed)
{
    QByteArray head = golden();
    head.truncate(head.indexOf("CoordTableData\n"));
    QList<QByteArray> rows = head.split('\n');
    rows[2 + 14] = reversed ? "1" : "0"; // the install direction row
    QByteArray out = rows.join('\n') + "CoordTableData\n";
    for (int i = 0; i < 64; ++i) {
        out += QByteArray::number(i) + "\n0\n0\n0\n1\n0\n0\n0\n0\n0\n1\n1\n1\n";
        for (int o = 0; o < 3; ++o) {
            const double radius = 300 + (i * 977 + o * 7919) % 59000 + 0.37 * o;
            const double from = -90 + (i * 53 + o * 31) % 300 + 0.61;
            const double to = from + 3.3 + (i * 17 + o) % 57;
            out += "Out" + QByteArray::number(o + 1) + "CoordStr\n";
            for (double deg : {from, to})
                out += QByteArray::number(qRound(radius * std::cos(deg * M_PI / 180))) + ','
                    + QByteArray::number(qRound(radius * std::sin(deg * M_PI / 180))) + '\n';
            out += "Out" + QByteArray::number(o + 1) + "CoordEnd\n";
        }
    }
    return out + golden().mid(golden().indexOf("CoordTableDataEnd"));
}
} // namespace

class TestCli : public QObject
{
    Q_OBJECT
private slots:
    void transfers_data();
    void transfers();
    void roundTripsAreExact_data();
    void roundTripsAreExact();
    void fingerprintOfScanner();
    void check_data();
    void check();
    void commands_data();
    void commands();
    void recordReplacesAFileOnlyWithARecording_data();
    void recordReplacesAFileOnlyWithARecording();
};

void TestCli::transfers_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("TCP") << QStringLiteral("tcp");
    QTest::newRow("UDP") << QStringLiteral("udp");
    QTest::newRow("pseudo-terminal") << QStringLiteral("pty");
}

void TestCli::transfers()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    Emulator a;
    Emulator b;
    QVERIFY(a.start({QStringLiteral("--boot-pause"), QStringLiteral("200")}));
    QVERIFY(b.start({QStringLiteral("--boot-pause"), QStringLiteral("200")}));
    const QString scannerA = scannerOf(a, kind);
    const QString scannerB = scannerOf(b, kind);
    const QString source = QStringLiteral(QM_TEST_DATA "/cli_fleet.VQ30");
    const QString copy = dir.filePath(QStringLiteral("copy.VQ30"));

    // A holds the project; its copy goes through a file to B and is read back.
    Run r = cli({QStringLiteral("upload"), source, scannerA, QStringLiteral("--reboot")});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.contains(QStringLiteral("restarted")), qPrintable(r.all()));
    QTRY_VERIFY(a.log().contains(QStringLiteral("<- RBoot")));
    r = cli({QStringLiteral("download"), scannerA, copy});
    QVERIFY2(r.status == 0, qPrintable(r.all()));
    QVERIFY(readFile(copy).startsWith("ZTL_VQ_30\n"));
    r = cli({QStringLiteral("upload"), copy, scannerB, QStringLiteral("--verify")});
    QVERIFY2(r.status == 0 && r.out.contains(QStringLiteral("read back, equal")), qPrintable(r.all()));
    // No terminal: no progress line.
    QVERIFY2(!r.err.contains(QLatin1Char('\r')), qPrintable(r.err));
    r = cli({QStringLiteral("diff"), scannerA, scannerB});
    QVERIFY2(r.status == 0 && differencesOf(r) == QStringLiteral("equal\n") && sameFingerprints(r), qPrintable(r.all()));
    // The arc comes back in whole degrees and the polygon in angular order,
    // which counts as equal.
    QVERIFY(readFile(copy) != golden());
    r = cli({QStringLiteral("diff"), source, copy});
    QVERIFY2(r.status == 0, qPrintable(r.all()));

    // One point moved by 1 mm and the RS485 address changed reach B.
    QByteArray moved = golden();
    moved.replace("\n0,2000\n", "\n0,2001\n");
    moved.replace("\n17\n", "\n18\n");
    const QString changed = dir.filePath(QStringLiteral("changed.VQ30"));
    QVERIFY(writeFile(changed, moved));
    QCOMPARE(cli({QStringLiteral("upload"), changed, scannerB}).status, 0);
    r = cli({QStringLiteral("diff"), scannerA, scannerB});
    QCOMPARE(r.status, 1);
    QVERIFY(fingerprintsOf(r).size() == 2 && !sameFingerprints(r));
    QCOMPARE(differencesOf(r), QStringLiteral("parameter RS485 ID(1-127): 17 | 18\n"
                                   "area 0, Out1, point 3: (0, 2000) | (0, 2001), moved 1.0 mm\n"
                                   "2 difference(s)\n"));
    r = cli({QStringLiteral("diff"), changed, scannerA, QStringLiteral("--json")});
    QCOMPARE(r.status, 1);
    const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(json.value(QStringLiteral("equal")).toBool(true), false);
    const QJsonArray diffs = json.value(QStringLiteral("differences")).toArray();
    QCOMPARE(diffs.size(), 2);
    QCOMPARE(diffs.at(1).toObject().value(QStringLiteral("moved")).toDouble(), 1.0);
    QCOMPARE(diffs.at(1).toObject().value(QStringLiteral("point")).toInt(), 3);
}

// Read and written ten times, a configuration full of arcs neither turns nor
// shrinks: every download is the first one byte for byte, and the file and
// the scanner it was just uploaded to compare equal.
void TestCli::roundTripsAreExact_data()
{
    QTest::addColumn<bool>("reversed");
    QTest::newRow("forward") << false;
    QTest::newRow("reversed") << true;
}

void TestCli::roundTripsAreExact()
{
    QFETCH(bool, reversed);
    // About a minute a row: ctest runs it as tst_cli_roundtrip, beside the rest.
    if (!qEnvironmentVariableIsSet("QM_CLI_ROUNDTRIP"))
        QSKIP("run by tst_cli_roundtrip");
    QTemporaryDir dir;
    Emulator e;
    QVERIFY(e.start({QStringLiteral("--quiet")})); // an unread log would fill its pipe and stop it
    const QString scanner = scannerOf(e, QStringLiteral("tcp"));
    const QString drawn = dir.filePath(QStringLiteral("drawn.VQ30"));
    QVERIFY(writeFile(drawn, arcProject(reversed)));
    Run r = cli({QStringLiteral("upload"), drawn, scanner, QStringLiteral("--verify")});
    QVERIFY2(r.status == 0, qPrintable(r.all()));
    r = cli({QStringLiteral("diff"), drawn, scanner});
    QVERIFY2(r.status == 0 && differencesOf(r) == QStringLiteral("equal\n") && sameFingerprints(r), qPrintable(r.all()));

    QByteArray first;
    for (int cycle = 0; cycle < 10; ++cycle) {
        const QString copy = dir.filePath(QStringLiteral("copy%1.VQ30").arg(cycle));
        r = cli({QStringLiteral("download"), scanner, copy});
        QVERIFY2(r.status == 0, qPrintable(r.all()));
        // The footer carries the day of writing: compare up to it.
        QByteArray bytes = readFile(copy);
        bytes.truncate(bytes.indexOf("ZTL_LASER_VQ_INFORMATION"));
        if (cycle == 0)
            first = bytes;
        QVERIFY2(bytes == first, qPrintable(QStringLiteral("cycle %1 differs").arg(cycle)));
        r = cli({QStringLiteral("upload"), copy, scanner, QStringLiteral("--verify")});
        QVERIFY2(r.status == 0 && r.out.contains(QStringLiteral("read back, equal")), qPrintable(r.all()));
        r = cli({QStringLiteral("diff"), copy, scanner});
        QVERIFY2(r.status == 0 && differencesOf(r) == QStringLiteral("equal\n") && sameFingerprints(r), qPrintable(r.all()));
    }
    r = cli({QStringLiteral("diff"), drawn, dir.filePath(QStringLiteral("copy9.VQ30"))});
    QVERIFY2(r.status == 0 && differencesOf(r) == QStringLiteral("equal\n") && sameFingerprints(r), qPrintable(r.all()));
}

// A scanner that holds a file carries the file's fingerprint, the one worked
// out by hand for the golden file; one point moved changes both alike. Its
// report names the scanner and the fingerprint.
void TestCli::fingerprintOfScanner()
{
    QTemporaryDir dir;
    Emulator e;
    QVERIFY(e.start({QStringLiteral("--serial-number"), QStringLiteral("4711")}));
    const QString scanner = scannerOf(e, QStringLiteral("tcp"));
    const QString moved = dir.filePath(QStringLiteral("moved.VQ30"));
    QVERIFY(writeFile(moved, golden().replace("\n0,2000\n", "\n0,2001\n")));
    for (const QString &file : {QStringLiteral(QM_TEST_DATA "/cli_fleet.VQ30"), moved}) {
        QCOMPARE(cli({QStringLiteral("upload"), file, scanner}).status, 0);
        const Run info = cli({QStringLiteral("info"), scanner, QStringLiteral("--json")});
        QVERIFY2(info.status == 0, qPrintable(info.all()));
        const QString ofScanner = jsonOf(info).value(QStringLiteral("sha256")).toString();
        QCOMPARE(ofScanner, jsonOf(cli({QStringLiteral("check"), file, QStringLiteral("--json")}))
                                .value(QStringLiteral("sha256")).toString());
        QCOMPARE(ofScanner == QLatin1String("ad1e72349294afcc066063f28a45dfa12a274673211142d29111c93cd88eb6c5"),
                 file != moved);
    }
    const QString pdf = dir.filePath(QStringLiteral("scanner.pdf"));
    const Run r = cli({QStringLiteral("--lang"), QStringLiteral("zh"), QStringLiteral("report"), scanner, pdf});
    QVERIFY2(r.status == 0 && r.out.contains(QStringLiteral("报告已写入")), qPrintable(r.all()));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY2(text.waitForFinished(30000) && text.exitCode() == 0, "pdftotext (poppler-utils) is needed");
    const QString shown = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY(shown.contains(QStringLiteral("4711")) && shown.contains(QStringLiteral("VQxxxx-ETH")));
    const QString ofMoved = jsonOf(cli({QStringLiteral("check"), moved, QStringLiteral("--json")}))
                                .value(QStringLiteral("fingerprint")).toString();
    QVERIFY2(!ofMoved.isEmpty() && shown.contains(ofMoved), qPrintable(shown));
}

void TestCli::check_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("report");

    QTest::newRow("sendable") << golden() << 0 << QStringLiteral("every area can be sent\n");
    QTest::newRow("100 points") << withPolygonOf(100) << 0 << QStringLiteral("every area can be sent\n");
    QTest::newRow("101 points") << withPolygonOf(101) << 1
                                << QStringLiteral("Area 5, Out1 has 101 points; at most 100 can be downloaded. "
                                                  "Download refused.\n");
    QByteArray far = golden();
    far.replace("\n3000,-200\n", "\n32768,-200\n");
    QTest::newRow("x beyond 16 bits") << far << 1
                                      << QStringLiteral("Area 5, Out1, point 1: coordinate 32768 mm is outside "
                                                        "-32768 … 32767 mm. Download refused.\n");
    QByteArray both = withPolygonOf(101);
    both.replace("\n700,200\n", "\n700,-32769\n");
    QTest::newRow("two areas") << both << 1
                               << QStringLiteral("Area 1, Out1, point 4: coordinate -32769 mm is outside "
                                                 "-32768 … 32767 mm. Download refused.\n"
                                                 "Area 5, Out1 has 101 points; at most 100 can be downloaded. "
                                                 "Download refused.\n");
}

void TestCli::check()
{
    QFETCH(QByteArray, file);
    QFETCH(int, status);
    QFETCH(QString, report);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.VQ30"));
    QVERIFY(writeFile(path, file));
    const Run r = cli({QStringLiteral("check"), path});
    QCOMPARE(r.status, status);
    // The problems, then the count; or the all-clear. Then the fingerprint,
    // which a configuration the link refuses has not.
    QVERIFY2(status == 0 ? r.out.contains(report) : r.out.startsWith(report), qPrintable(r.out));
    const QRegularExpression fingerprint(status == 0 ? QStringLiteral("\nfingerprint: [0-9a-f]{16}\n$")
                                                     : QStringLiteral("\nfingerprint: none \\(area \\d+, Out\\d cannot be sent\\)\n$"));
    QVERIFY2(fingerprint.match(r.out).hasMatch(), qPrintable(r.out));
    if (status == 0)
        return;
    // Refused before anything is sent.
    Emulator e;
    QVERIFY(e.start({}));
    const Run u = cli({QStringLiteral("upload"), path, scannerOf(e, QStringLiteral("tcp"))});
    QCOMPARE(u.status, 1);
    QVERIFY(u.out.contains(report));
    // As JSON the problems are listed there, and the failure is told on standard error.
    const Run j = cli({QStringLiteral("upload"), path, scannerOf(e, QStringLiteral("tcp")), QStringLiteral("--json")});
    QVERIFY2(j.status == 1 && jsonOf(j).value(QStringLiteral("problems")).toArray().size() == report.count(QLatin1Char('\n'))
                 && j.err.endsWith(QStringLiteral("problem(s)\n")) && !jsonOf(j).value(QStringLiteral("written")).toBool(true),
             qPrintable(j.all()));
    QTest::qWait(100);
    QCOMPARE(framesReceived(e), 0);
}

void TestCli::commands_data()
{
    QTest::addColumn<QStringList>("args"); // %DIR, %SCANNER (the emulator over TCP), %GOLDEN
    QTest::addColumn<QStringList>("emulator"); // options of the emulator %SCANNER names
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text"); // found in standard output or error
    QTest::addColumn<bool>("silentScanner"); // the emulator must have received nothing

    const QStringList none;
    const QString golden = QStringLiteral("%GOLDEN");
    QTest::newRow("help") << QStringList{"--help"} << none << 0 << "  3  link failure" << false;
    QTest::newRow("command help") << QStringList{"upload", "--help"} << none << 0 << "--reboot answers" << false;
    QTest::newRow("Chinese help") << QStringList{"--lang", "zh", "upload", "--help"} << none << 0 << "读回全部数据"
                                  << false;
    QTest::newRow("no command") << QStringList{} << none << 2 << "Usage: quillmark-cli" << false;
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << none << 2 << "unknown command" << false;
    QTest::newRow("option of another command")
        << QStringList{"check", "--verify", golden} << none << 2 << "unknown option \"--verify\"" << false;
    QTest::newRow("too many words") << QStringList{"info", "tcp:127.0.0.1", "x"} << none << 2
                                    << "wrong number of arguments for info" << false;
    QTest::newRow("unknown language") << QStringList{"--lang", "fr", "--help"} << none << 2 << "en or zh" << false;
    QTest::newRow("port out of range") << QStringList{"info", "tcp:127.0.0.1:65536"} << none << 2
                                       << "\"tcp:127.0.0.1:65536\" is not a scanner address" << false;
    QTest::newRow("host name") << QStringList{"info", "udp:scanner.local"} << none << 2 << "is not a scanner address"
                               << false;
    QTest::newRow("broadcast") << QStringList{"info", "udp:255.255.255.255"} << none << 2
                               << "is not a scanner address" << false;
    QTest::newRow("no device") << QStringList{"watch", "serial:@9600"} << none << 2 << "is not a scanner address"
                               << false;
    QTest::newRow("baud rate not a number") << QStringList{"info", "serial:/dev/ttyS0@fast"} << none << 2
                                            << "is not a scanner address" << false;
    QTest::newRow("seconds not a number") << QStringList{"watch", "tcp:127.0.0.1", "--seconds", "x"} << none << 2
                                          << "--seconds needs" << false;
    QTest::newRow("missing file") << QStringList{"check", "%DIR/none.VQ30"} << none << 2 << "none.VQ30: no such file"
                                  << false;
    QTest::newRow("missing file, Chinese") << QStringList{"--lang", "zh", "check", "%DIR/none.VQ30"} << none << 2
                                           << "none.VQ30: 文件不存在" << false;
    QTest::newRow("unreadable file") << QStringList{"check", "%DIR/folder.VQ30"} << none << 2 << "cannot be read"
                                     << false;
    QTest::newRow("damaged file") << QStringList{"diff", "%DIR/cut.VQ30", golden} << none << 2
                                  << "cut.VQ30: not a project file" << false;
    QTest::newRow("foreign file") << QStringList{"check", "%DIR/foreign.VQ30"} << none << 2 << "not a project file"
                                  << false;
    QTest::newRow("download to an unknown extension")
        << QStringList{"download", "%SCANNER", "%DIR/plan.vq30"} << none << 2 << "the extension must be" << true;
    QTest::newRow("upload of a damaged file")
        << QStringList{"upload", "%DIR/cut.VQ30", "%SCANNER"} << none << 2 << "not a project file" << true;
    QTest::newRow("upload to a file") << QStringList{"upload", golden, "%DIR/x.VQ30"} << none << 2
                                      << "upload needs a scanner address here" << false;
    QTest::newRow("connection refused") << QStringList{"info", "tcp:127.0.0.1:1"} << none << 3
                                        << "tcp:127.0.0.1:1: cannot connect: Connection refused" << false;
    QTest::newRow("serial device missing") << QStringList{"info", "serial:%DIR/ttyNone"} << none << 3
                                           << "cannot open" << false;
    QTest::newRow("silent scanner") << QStringList{"download", "%SCANNER", "%DIR/kept.VQ30"}
                                    << QStringList{"--silent"} << 3 << "no answer after the retries" << false;
    QTest::newRow("area rejected")
        << QStringList{"upload", golden, "%SCANNER"} << QStringList{"--reject", "WArea:1:1:0"} << 3
        << "the scanner rejected a write: Parameters Setting Error" << false;
    QTest::newRow("an area refused every time, Chinese")
        << QStringList{"--lang", "zh", "upload", golden, "%SCANNER"} << QStringList{"--reject", "WArea:7:255:0"} << 3
        << "扫描仪拒绝写入: 未知的写入状态 255" << false;
    QTest::newRow("deadline") << QStringList{"info", "%SCANNER", "--deadline", "1"} << QStringList{"--delay", "1:1900"}
                              << 3 << "not done within the deadline" << false;
    QTest::newRow("flash error, Chinese")
        << QStringList{"--lang", "zh", "upload", golden, "%SCANNER"} << QStringList{"--reject", "WPara:2"} << 3
        << "扫描仪拒绝写入: 内存写入错误" << false;
    QTest::newRow("diff of files") << QStringList{"diff", golden, "%DIR/kept.VQ30"} << none << 2
                                   << "kept.VQ30: not a project file" << false;
    QTest::newRow("diff, Chinese") << QStringList{"--lang", "zh", "diff", "%DIR/foreign.VQ30", "%DIR/cut.VQ30"}
                                   << none << 2 << "foreign.VQ30: 不是已知类型的工程文件" << false;
    QTest::newRow("diff of a file and a scanner, Chinese")
        << QStringList{"--lang", "zh", "diff", golden, "%SCANNER"} << none << 1
        << "参数 RS485地址(1-127): 17 | 127\n" << false;
    QTest::newRow("info") << QStringList{"info", "%SCANNER"} << QStringList{"--serial-number", "4711"} << 0
                          << "SerialNumber:  4711" << false;
    QTest::newRow("check as JSON") << QStringList{"check", golden, "--json"} << none << 0
                                   << "\"sha256\": \"ad1e72349294afcc066063f28a45dfa12a274673211142d29111c93cd88eb6c5\""
                                   << false;
    QTest::newRow("upload as JSON") << QStringList{"upload", golden, "%SCANNER", "--verify", "--json"} << none << 0
                                    << "\"equal\": true,\n    \"fingerprint\": \"ad1e72349294afcc\"" << false;
    QTest::newRow("info's parameters as JSON") << QStringList{"info", "%SCANNER", "--json"} << none << 0
                                               << "\"RS485 ID(1-127)\": \"127\"" << false;
    QTest::newRow("report help") << QStringList{"report", "--help"} << none << 0 << "commissioning report" << false;
    QTest::newRow("report of a damaged file") << QStringList{"report", "%DIR/cut.VQ30", "%DIR/r.pdf"} << none << 2
                                              << "cut.VQ30: not a project file" << false;
    QTest::newRow("report into a missing folder") << QStringList{"report", golden, "%DIR/none/r.pdf"} << none << 2
                                                  << "r.pdf: cannot be written" << false;
    QTest::newRow("watch") << QStringList{"watch", "%SCANNER", "--seconds", "1", "--json"}
                           << QStringList{"--inputs", "5"} << 0 << "{\"drive\":" << false;
    QTest::newRow("watch in the window's units") << QStringList{"watch", "%SCANNER", "--seconds", "1"}
                                                 << QStringList{"--inputs", "5"} << 0
                                                 << "speed 1200r/min drive 2" << false;
}

void TestCli::commands()
{
    QFETCH(QStringList, args);
    QFETCH(QStringList, emulator);
    QFETCH(int, status);
    QFETCH(QString, text);
    QFETCH(bool, silentScanner);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.VQ30")));
    QByteArray cut = golden();
    cut.truncate(cut.indexOf("CoordTableDataEnd"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("cut.VQ30")), cut));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("foreign.VQ30")), QByteArray(golden()).replace("ZTL_VQ_30", "ZTL_VQ_31")));
    const QByteArray previous = "the previous download\n";
    const QString kept = dir.filePath(QStringLiteral("kept.VQ30"));
    QVERIFY(writeFile(kept, previous));

    std::unique_ptr<Emulator> e;
    if (args.join(QLatin1Char(' ')).contains(QLatin1String("%SCANNER"))) {
        e = std::make_unique<Emulator>();
        QVERIFY(e->start(emulator));
    }
    for (QString &a : args) {
        a.replace(QLatin1String("%DIR"), dir.path());
        a.replace(QLatin1String("%GOLDEN"), QStringLiteral(QM_TEST_DATA "/cli_fleet.VQ30"));
        if (e)
            a.replace(QLatin1String("%SCANNER"), scannerOf(*e, QStringLiteral("tcp")));
    }
    const Run r = cli(args);
    QVERIFY2(r.all().contains(text), qPrintable(r.all()));
    QCOMPARE(r.status, status);
    if (status >= 2) // one line for the failure, maybe one for the usage after it
        QVERIFY2(r.err.count(QLatin1Char('\n')) <= 2 && r.out.isEmpty(), qPrintable(r.all()));
    QCOMPARE(readFile(kept), previous);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3); // cut, foreign, kept: nothing half-written
    if (e && silentScanner) {
        QTest::qWait(100);
        QCOMPARE(framesReceived(*e), 0);
    }
}

// A recording takes the file's name only once it holds traffic: interrupted
// before that, the file that was there stays, and the status says so.
void TestCli::recordReplacesAFileOnlyWithARecording_data()
{
    QTest::addColumn<QStringList>("emulator");
    QTest::addColumn<int>("interruptMs"); // SIGINT this long after the start; 0 none
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("interrupted before it began") << QStringList{"--silent"} << 400 << 130 << false;
    QTest::newRow("interrupted while recording") << QStringList{} << 1500 << 0 << true;
    QTest::newRow("for its seconds") << QStringList{} << 0 << 0 << true;
}

void TestCli::recordReplacesAFileOnlyWithARecording()
{
    QFETCH(QStringList, emulator);
    QFETCH(int, interruptMs);
    QFETCH(int, status);
    QFETCH(bool, replaced);
    QTemporaryDir dir;
    Emulator e;
    QVERIFY(e.start(emulator));
    const QString path = dir.filePath(QStringLiteral("site.qmrec"));
    QVERIFY(writeFile(path, "the previous recording"));
    QProcess p;
    p.start(QStringLiteral(CLI_PATH), QStringList{"record", scannerOf(e, QStringLiteral("tcp")), path}
                                          + (interruptMs ? QStringList() : QStringList{"--seconds", "1"}));
    QVERIFY(p.waitForStarted(5000) && (!interruptMs || (QTest::qWait(interruptMs), p.processId() > 0)));
    if (interruptMs)
        ::kill(pid_t(p.processId()), SIGINT);
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(p.exitCode(), status);
    QCOMPARE(readRecording(path).status == RecordingStatus::Complete, replaced);
    if (!replaced)
        QCOMPARE(readFile(path), QByteArray("the previous recording"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("site.qmrec")});
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
