// The Ansible collection (ansible/) and its example playbooks against 20
// scanner emulators, one per loopback port, run with 20 forks: the rollout
// changes each scanner once, a drift made behind Ansible's back is the one
// thing a check with --diff reports, and a scanner that never answers fails
// its host alone. Prints bench_ansible: the rollout's wall time as a ratio to
// one scanner's upload in the same run.

#include "emulatorprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <vector>

namespace {
constexpr int kScanners = 20;
const QString kGolden = QStringLiteral(QM_TEST_DATA "/cli_fleet.VQ30");
const QString kGoldenFingerprint = QStringLiteral("ad1e72349294afcc"); // worked out by hand for that file

struct Finished
{
    int status = -1; // -1: still running at the deadline, or crashed
    QString out;
    double seconds = 0;
};

// Runs a program to its end or the deadline. The event loop keeps reading
// every emulator's log meanwhile, so none blocks on a full pipe.
Finished runProgram(const QString &program, const QStringList &args, const QProcessEnvironment &env, int deadlineMs)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    QEventLoop loop;
    QObject::connect(&p, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &loop, &QEventLoop::quit);
    QObject::connect(&p, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(deadlineMs, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    p.start(program, args);
    loop.exec();
    Finished f;
    f.seconds = clock.nsecsElapsed() / 1e9;
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(5000);
    } else if (p.exitStatus() == QProcess::NormalExit) {
        f.status = p.exitCode();
    }
    f.out = QString::fromUtf8(p.readAll());
    return f;
}

// The PLAY RECAP: "ok=1 changed=0 failed=0" for each host.
QMap<QString, QString> recapOf(const QString &out)
{
    QMap<QString, QString> recap;
    const QRegularExpression line(QStringLiteral("^(\\S+)\\s+: (ok=\\d+)\\s+(changed=\\d+)\\s+unreachable=0\\s+(failed=\\d+)"),
                                  QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(out.section(QLatin1String("PLAY RECAP"), -1)); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        recap.insert(m.captured(1), m.captured(2) + QLatin1Char(' ') + m.captured(3) + QLatin1Char(' ') + m.captured(4));
    }
    return recap;
}

QString host(int i) { return QStringLiteral("scanner%1").arg(i + 1, 2, 10, QLatin1Char('0')); }
} // namespace

class TestAnsible : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void rolloutChangesEachScannerOnce();
    void auditReadsWhatEachHolds();
    void checkDiffReportsOnlyTheDrift();
    void silentScannerFailsItsHostAlone();

private:
    Finished playbook(const QString &name, const QStringList &extra = {}, int silentHost = -1);
    Finished cli(const QStringList &args) { return runProgram(QStringLiteral(CLI_DIR "/quillmark-cli"), args, m_env, 60000); }
    QString scanner(const Emulator &e) const { return QStringLiteral("tcp:127.0.0.1:%1").arg(e.port); }
    // The write frames each emulator has received, once the last ones are logged.
    std::vector<int> writesReceived()
    {
        QTest::qWait(200);
        std::vector<int> writes;
        for (const auto &e : m_emulators)
            writes.push_back(e->log().count(QStringLiteral(" <- W")));
        return writes;
    }

    QTemporaryDir m_dir;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
    std::vector<std::unique_ptr<Emulator>> m_emulators; // kScanners, then a spare and a silent one
};

void TestAnsible::initTestCase()
{
    const QString ansible = QStandardPaths::findExecutable(QStringLiteral("ansible-playbook"));
    if (ansible.isEmpty())
        QSKIP("ansible-playbook is not installed (Debian's ansible-core: scripts/install-deps --test)");
    QVERIFY(m_dir.isValid());
    const QDir dir(m_dir.path());
    QVERIFY(dir.mkpath(QStringLiteral("collections/ansible_collections/quillmark")) && dir.mkpath(QStringLiteral("tmp")));
    QVERIFY(QFile::link(QStringLiteral(ANSIBLE_DIR), dir.filePath(QStringLiteral("collections/ansible_collections/quillmark/scanner"))));
    m_env.insert(QStringLiteral("PATH"), QStringLiteral(CLI_DIR ":") + m_env.value(QStringLiteral("PATH")));
    m_env.insert(QStringLiteral("ANSIBLE_CONFIG"), QStringLiteral(ANSIBLE_DIR "/examples/ansible.cfg"));
    m_env.insert(QStringLiteral("ANSIBLE_COLLECTIONS_PATH"), dir.filePath(QStringLiteral("collections")));
    m_env.insert(QStringLiteral("ANSIBLE_HOME"), dir.filePath(QStringLiteral("tmp")));
    m_env.insert(QStringLiteral("ANSIBLE_LOCAL_TEMP"), dir.filePath(QStringLiteral("tmp")));
    m_env.insert(QStringLiteral("ANSIBLE_REMOTE_TEMP"), dir.filePath(QStringLiteral("tmp")));
    m_env.insert(QStringLiteral("ANSIBLE_NOCOLOR"), QStringLiteral("1"));
    m_env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8")); // Ansible refuses other encodings
    for (int i = 0; i < kScanners + 2; ++i) {
        m_emulators.push_back(std::make_unique<Emulator>());
        QVERIFY(m_emulators.back()->start(i == kScanners + 1 ? QStringList{QStringLiteral("--silent")} : QStringList{}));
    }
}

// An inventory of 20 scanners (one of them, given, the silent emulator) and
// one of the example playbooks over it, all hosts in one batch.
Finished TestAnsible::playbook(const QString &name, const QStringList &extra, int silentHost)
{
    QString inventory = QStringLiteral("[scanners]\n");
    for (int i = 0; i < kScanners; ++i)
        inventory += QStringLiteral("%1 scanner=%2 project=cli_fleet.VQ30\n")
                         .arg(host(i), scanner(*m_emulators.at(size_t(i == silentHost ? kScanners + 1 : i))));
    inventory += QStringLiteral("[scanners:vars]\nansible_connection=local\n"
                                "ansible_python_interpreter={{ ansible_playbook_python }}\n");
    QFile file(QDir(m_dir.path()).filePath(QStringLiteral("inventory.ini")));
    if (!file.open(QIODevice::WriteOnly) || file.write(inventory.toUtf8()) < 0)
        return {};
    file.close();
    return runProgram(QStringLiteral("ansible-playbook"),
                      QStringList{QStringLiteral("-i"), file.fileName(), QStringLiteral("-f"), QString::number(kScanners),
                                  QStringLiteral("-e"), QStringLiteral("batch=%1 projects=" QM_TEST_DATA).arg(kScanners),
                                  QStringLiteral(ANSIBLE_DIR "/examples/") + name}
                          + extra,
                      m_env, 90000);
}

void TestAnsible::rolloutChangesEachScannerOnce()
{
    // One scanner's compare and upload, as the module does them.
    const QString spare = scanner(*m_emulators.at(kScanners));
    const Finished compare = cli({QStringLiteral("diff"), spare, kGolden, QStringLiteral("--json")});
    const Finished one = cli({QStringLiteral("upload"), kGolden, spare, QStringLiteral("--verify")});
    QVERIFY2(compare.status == 1 && one.status == 0, qPrintable(compare.out + one.out));
    for (const QString &changed : {QStringLiteral("changed=1"), QStringLiteral("changed=0")}) {
        const std::vector<int> writes = writesReceived();
        const Finished run = playbook(QStringLiteral("site.yml"));
        const QMap<QString, QString> recap = recapOf(run.out);
        QVERIFY2(run.status == 0 && recap.size() == kScanners, qPrintable(run.out));
        for (const QString &line : recap)
            QCOMPARE(line, QStringLiteral("ok=1 %1 failed=0").arg(changed));
        if (changed.endsWith(QLatin1Char('0')))
            QVERIFY2(writesReceived() == writes, "a scanner that held its project was written");
        else
            qInfo("bench_ansible: rollout to %d scanners with %d forks %.2f s, one scanner's upload --verify %.2f s: "
                  "ratio %.2f (goal <= 3); the floor, one compare and upload, is %.2f", kScanners, kScanners, run.seconds,
                  one.seconds, run.seconds / one.seconds, (compare.seconds + one.seconds) / one.seconds);
    }
}

void TestAnsible::auditReadsWhatEachHolds()
{
    const Finished run = playbook(QStringLiteral("fingerprints.yml"));
    QVERIFY2(run.status == 0 && recapOf(run.out).size() == kScanners, qPrintable(run.out));
    QCOMPARE(run.out.count(QStringLiteral("\"VQxxxx-ETH serial 1, firmware 1.05, configuration %1\"").arg(kGoldenFingerprint)),
             kScanners);
}

void TestAnsible::checkDiffReportsOnlyTheDrift()
{
    // Scanner 8's RS485 address changed by hand, behind Ansible's back.
    const QString drifted = QDir(m_dir.path()).filePath(QStringLiteral("drifted.VQ30"));
    QFile golden(kGolden);
    QFile file(drifted);
    QVERIFY(golden.open(QIODevice::ReadOnly) && file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(golden.readAll().replace("\n17\n", "\n18\n")) > 0);
    file.close();
    QCOMPARE(cli({QStringLiteral("upload"), drifted, scanner(*m_emulators.at(7))}).status, 0);
    const std::vector<int> writes = writesReceived();

    const Finished run = playbook(QStringLiteral("site.yml"), {QStringLiteral("--check"), QStringLiteral("--diff")});
    const QMap<QString, QString> recap = recapOf(run.out);
    QVERIFY2(run.status == 0 && recap.size() == kScanners, qPrintable(run.out));
    for (int i = 0; i < kScanners; ++i)
        QCOMPARE(recap.value(host(i)), QStringLiteral("ok=1 changed=%1 failed=0").arg(i == 7 ? 1 : 0));
    // Before is the scanner, after the file: the fingerprints and the one parameter.
    QCOMPARE(run.out.count(QStringLiteral("--- before: ")), 1);
    const QString diff = run.out.section(QStringLiteral("--- before: ") + scanner(*m_emulators.at(7)), 1).section(QLatin1String("\n\n"), 0, 0);
    QCOMPARE(diff.section(QLatin1String("@@ -1,2 +1,2 @@\n"), 1),
             QStringLiteral("-fingerprint: %1\n-parameter RS485 ID(1-127): 18\n"
                            "+fingerprint: %2\n+parameter RS485 ID(1-127): 17")
                 .arg(cli({QStringLiteral("check"), drifted}).out.section(QLatin1String("fingerprint: "), 1).trimmed(),
                      kGoldenFingerprint));
    QVERIFY2(writesReceived() == writes, "a check wrote to a scanner");
}

void TestAnsible::silentScannerFailsItsHostAlone()
{
    const int silent = 4;
    const Finished run = playbook(QStringLiteral("site.yml"), {}, silent);
    const QMap<QString, QString> recap = recapOf(run.out);
    QVERIFY2(recap.size() == kScanners, qPrintable(run.out));
    for (int i = 0; i < kScanners; ++i)
        QVERIFY2(recap.value(host(i)).endsWith(i == silent ? QLatin1String("changed=0 failed=1") : QLatin1String("failed=0")),
                 qPrintable(host(i) + ": " + recap.value(host(i))));
    const QString failure = run.out.section(QStringLiteral("fatal: [%1]: FAILED! => ").arg(host(silent)), 1).section(QLatin1Char('\n'), 0, 0);
    const QJsonObject result = QJsonDocument::fromJson(failure.toUtf8()).object();
    QCOMPARE(result.value(QStringLiteral("msg")).toString(),
             QStringLiteral("quillmark-cli: %1: no answer after the retries").arg(scanner(*m_emulators.at(kScanners + 1))));
    QCOMPARE(result.value(QStringLiteral("rc")).toInt(), 3);
    QCOMPARE(result.value(QStringLiteral("changed")).toBool(true), false);
}

QTEST_GUILESS_MAIN(TestAnsible)
#include "tst_ansible.moc"
