// A recording takes its file's name with its first traffic, so stopping
// before leaves the file that was there; a write that fails (the file may grow
// no further) stops it and is told from the event loop, never from inside the
// write; an end that cannot be written is a failure.

#include "filesizelimit.h"
#include "linkrecorder.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}
} // namespace

class TestLinkRecorder : public QObject
{
    Q_OBJECT
private slots:
    void ends_data()
    {
        QTest::addColumn<int>("chunks");     // received before the end
        QTest::addColumn<QString>("end");    // "stop", "discard", "full" (no room for the end), "fail" (a write fails)
        QTest::addColumn<bool>("ok");        // stop() said so
        QTest::addColumn<int>("status");     // RecordingStatus of the file, -1: the old file is still there
        QTest::newRow("stopped") << 3 << "stop" << true << int(RecordingStatus::Complete);
        QTest::newRow("stopped before any traffic") << 0 << "stop" << true << int(RecordingStatus::Complete);
        QTest::newRow("discarded before any traffic") << 0 << "discard" << true << -1;
        QTest::newRow("discarded after traffic") << 2 << "discard" << true << int(RecordingStatus::Complete);
        QTest::newRow("no room for the end") << 2 << "full" << false << int(RecordingStatus::Cut);
        QTest::newRow("no room for the end, before any traffic") << 0 << "full" << false << -1;
        QTest::newRow("a write fails") << 2 << "fail" << true << int(RecordingStatus::Cut);
        QTest::newRow("the first write fails") << 0 << "fail" << true << -1;
    }
    void ends()
    {
        QFETCH(int, chunks);
        QFETCH(QString, end);
        QFETCH(bool, ok);
        QFETCH(int, status);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.qmrec"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();

        LinkRecorder recorder;
        QSignalSpy failed(&recorder, &LinkRecorder::failed);
        QVERIFY(recorder.start(path, RecordingHeader()));
        QCOMPARE(contents(path), QByteArray("old"));
        for (int i = 0; i < chunks; ++i)
            recorder.received(QByteArray(100, char(i)));
        QCOMPARE(recorder.holdsTraffic(), chunks > 0);
        bool stopped = true;
        QString why;
        if (end == QLatin1String("stop")) {
            stopped = recorder.stop(&why);
        } else if (end == QLatin1String("discard")) {
            recorder.discard();
        } else {
            FileSizeLimit limit(rlim_t(recorder.bytesWritten() + 5));
            if (end == QLatin1String("full")) {
                stopped = recorder.stop(&why);
            } else {
                recorder.received(QByteArray(100, 'x'));
                QCOMPARE(failed.count(), 0); // not from inside the write
                QVERIFY(!recorder.isRecording());
            }
        }
        QCOMPARE(stopped, ok);
        QCOMPARE(why.isEmpty(), ok);
        QVERIFY(!recorder.isRecording());
        QTRY_COMPARE(failed.count(), end == QLatin1String("fail") ? 1 : 0);
        if (status < 0)
            QCOMPARE(contents(path), QByteArray("old"));
        else
            QCOMPARE(int(readRecording(path).status), status);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("r.qmrec")});
    }
};

QTEST_GUILESS_MAIN(TestLinkRecorder)
#include "tst_linkrecorder.moc"
