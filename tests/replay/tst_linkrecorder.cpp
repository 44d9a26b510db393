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

class TestLinkRecorder : public QObject
{
    Q_OBJECT
private slots:
    void ends_data()
    {
        QTest::addColumn<int>("chunks");  // received before the end
        // stop, discard, full (no room for the end), fail (a write fails), folder (the name is a folder's)
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("status");  // RecordingStatus of the file; -1 the old file still there
        QTest::newRow("stopped") << 3 << "stop" << int(RecordingStatus::Complete);
        QTest::newRow("stopped before any traffic") << 0 << "stop" << int(RecordingStatus::Complete);
        QTest::newRow("discarded before any traffic") << 0 << "discard" << -1;
        QTest::newRow("discarded after traffic") << 2 << "discard" << int(RecordingStatus::Complete);
        QTest::newRow("no room for the end") << 2 << "full" << int(RecordingStatus::Cut);
        QTest::newRow("no room for the end, before any traffic") << 0 << "full" << -1;
        QTest::newRow("a write fails") << 2 << "fail" << int(RecordingStatus::Cut);
        QTest::newRow("the first write fails") << 0 << "fail" << -1;
        QTest::newRow("the name taken by a folder") << 0 << "folder" << -1;
    }
    void ends()
    {
        QFETCH(int, chunks);
        QFETCH(QString, end);
        QFETCH(int, status);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.qmrec"));
        QFile file(path);
        const bool folder = end == QLatin1String("folder");
        QVERIFY(folder ? QDir(dir.path()).mkdir(file.fileName()) : file.open(QIODevice::WriteOnly) && file.write("old") == 3);
        file.close();
        LinkRecorder recorder;
        QSignalSpy failed(&recorder, &LinkRecorder::failed);
        QVERIFY(!recorder.start(dir.filePath(QStringLiteral("none/r.qmrec")), RecordingHeader()));
        {
            const FileSizeLimit tiny(5); // not even the header fits
            QVERIFY(!recorder.start(path, RecordingHeader()));
        }
        QVERIFY(recorder.start(path, RecordingHeader()));
        for (int i = 0; i < chunks; ++i)
            recorder.received(QByteArray(Recording::MaxChunk, char(i))); // exactly one record each
        QCOMPARE(recorder.holdsTraffic(), chunks > 0);
        QString why;
        bool stopped = true;
        {
            const FileSizeLimit limit(end == QLatin1String("full") || end == QLatin1String("fail")
                                          ? rlim_t(recorder.bytesWritten() + 5)
                                          : RLIM_INFINITY);
            if (end == QLatin1String("discard"))
                recorder.discard();
            else if (end == QLatin1String("fail") || folder)
                recorder.received(QByteArray(100, 'x'));
            else
                stopped = recorder.stop(&why);
        }
        QCOMPARE(failed.count(), 0); // not from inside the write
        QVERIFY(!recorder.isRecording());
        QCOMPARE(stopped, why.isEmpty());
        QCOMPARE(stopped, end != QLatin1String("full"));
        QTRY_COMPARE(failed.count(), end == QLatin1String("fail") || folder ? 1 : 0);
        QVERIFY(recorder.stop()); // nothing left to end
        if (status >= 0)
            QCOMPARE(int(readRecording(path).status), status);
        else
            QVERIFY(folder ? QFileInfo(path).isDir() : file.open(QIODevice::ReadOnly) && file.readAll() == "old");
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("r.qmrec")});
    }
};

QTEST_GUILESS_MAIN(TestLinkRecorder)
#include "tst_linkrecorder.moc"
