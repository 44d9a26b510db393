// The recording format against the worked example of its document, bytes
// written by hand from the layout, and a file cut or damaged at every byte.

#include "recording.h"

#include <QBuffer>
#include <QtEndian>
#include <QtTest>

namespace {
// docs/recording-format.md, "A worked example".
const QByteArray kPreamble = QByteArray::fromHex("514d5245430d0a1a0100");
const QByteArray kHeader = QByteArray::fromHex(
    "487b000000" "0000" "00851855a2010000" "03" "120078006712ea070b001e00"
    "ecfffffff6ffffff000000000a000000140000001e00000028000000320000003c00000046000000500000005a00000064000000"
    "6e00000078000000820000008c00000096000000a0000000aa000000b4000000be000000c8000000d2000000dc000000"
    "9015c18d");
const QByteArray kSent = QByteArray::fromHex("530a000000dc050000000000000102d22daf62");
const QByteArray kReceived = QByteArray::fromHex("520b00000090d0030000000000aabbcc2a633183");
const QByteArray kEnd = QByteArray::fromHex("450800000040420f0000000000ac0685a2");

// A record as the format describes it: type, u32 length, payload, CRC-32.
QByteArray record(char type, const QByteArray &payload, quint32 length)
{
    QByteArray r(1, type);
    char n[4];
    qToLittleEndian(length, n);
    r.append(n, 4);
    r.append(payload);
    const quint32 crc = crc32(r);
    qToLittleEndian(crc, n);
    return r.append(n, 4);
}
QByteArray record(char type, const QByteArray &payload) { return record(type, payload, quint32(payload.size())); }

// The header payload: connection, mode, start, known flags, then zeros.
QByteArray headerPayload(int connection, int mode, int flags, int size = 123)
{
    QByteArray p(size, 0);
    p[0] = char(connection);
    p[1] = char(mode);
    p[10] = char(flags);
    return p;
}

RecordingHeader exampleHeader()
{
    RecordingHeader h;
    h.startMsUtc = 1796724000000;
    h.productKnown = h.parametersKnown = true;
    h.product = ProductInfo{18, 120, 4711, 2026, 11, 30};
    for (int k = 0; k < SensorParameters::WordCount; ++k)
        h.parameters.Words[size_t(k)] = 10 * k - 20;
    return h;
}
} // namespace

class TestRecording : public QObject
{
    Q_OBJECT
private slots:
    void crcCheckValue() { QCOMPARE(crc32("123456789"), 0xCBF43926u); }

    void writesTheDocumentedBytes()
    {
        QCOMPARE(encodeRecordingPreamble(), kPreamble);
        QCOMPARE(encodeRecordingHeader(exampleHeader()), kHeader);
        QCOMPARE(encodeRecordingChunk({true, 1500, QByteArray::fromHex("0102")}), kSent);
        QCOMPARE(encodeRecordingChunk({false, 250000, QByteArray::fromHex("aabbcc")}), kReceived);
        QCOMPARE(encodeRecordingEnd(1000000), kEnd);
    }

    // Every prefix of the example opens (or is refused) with one status and
    // gives exactly the records that stand whole before the cut; a flipped
    // byte anywhere is caught by the checksum.
    void readsEveryCutAndEveryDamage()
    {
        const QByteArray file = kPreamble + kHeader + kSent + kReceived + kEnd;
        const int headerEnd = kPreamble.size() + kHeader.size();
        const int sentEnd = headerEnd + kSent.size();
        const int receivedEnd = sentEnd + kReceived.size();
        for (int cut = 0; cut <= file.size(); ++cut) {
            const RecordingContents c = readRecordingBytes(file.left(cut));
            const int chunks = cut >= receivedEnd ? 2 : cut >= sentEnd ? 1 : 0;
            const RecordingStatus want = cut == file.size() ? RecordingStatus::Complete
                : cut >= headerEnd                          ? RecordingStatus::Cut
                                                            : RecordingStatus::NotRecording;
            QVERIFY2(c.status == want, qPrintable(QString::number(cut)));
            QVERIFY2(c.chunks.size() == chunks, qPrintable(QString::number(cut)));
        }
        const RecordingContents whole = readRecordingBytes(file);
        QCOMPARE(whole.header.product, exampleHeader().product);
        QCOMPARE(whole.header.parameters, exampleHeader().parameters);
        QCOMPARE(whole.header.startMsUtc, exampleHeader().startMsUtc);
        QCOMPARE(whole.chunks.at(0).bytes, QByteArray::fromHex("0102"));
        QVERIFY(whole.chunks.at(0).sent);
        QCOMPARE(whole.chunks.at(1).timeUs, 250000);

        for (int at = headerEnd; at < file.size(); ++at) {
            QByteArray bad = file;
            bad[at] = char(bad.at(at) ^ 0x10);
            const RecordingContents c = readRecordingBytes(bad);
            const int chunks = at >= receivedEnd ? 2 : at >= sentEnd ? 1 : 0;
            // A flipped length may make the record run past the end: a cut.
            const int start = at >= receivedEnd ? receivedEnd : at >= sentEnd ? sentEnd : headerEnd;
            const bool length = at > start && at < start + 5;
            QVERIFY2(c.status == RecordingStatus::Damaged || (length && c.status == RecordingStatus::Cut),
                     qPrintable(QString::number(at)));
            QVERIFY2(c.chunks.size() == chunks, qPrintable(QString::number(at)));
        }
        QVERIFY(whole.header.productKnown && whole.header.parametersKnown);
        QByteArray other = file;
        other[8] = 2;
        QCOMPARE(readRecordingBytes(other).status, RecordingStatus::OtherVersion);
        QVERIFY(!recordingMessage(RecordingStatus::OtherVersion, 1, 2).isEmpty());
    }

    // Record by record as replay reads: the end stays the end until a jump
    // back to a record's offset; a file by its path.
    void readsRecordByRecord()
    {
        QByteArray file = kPreamble + kHeader + kSent + kReceived + kEnd;
        QBuffer buffer(&file);
        RecordingReader reader(&buffer);
        RecordingChunk chunk;
        QVERIFY(!reader.open());
        QCOMPARE(reader.status(), RecordingStatus::Unreadable);
        QVERIFY(!reader.next(chunk));

        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QVERIFY(reader.open());
        QVERIFY(reader.next(chunk));
        const qint64 received = reader.position();
        QCOMPARE(received, qint64(kPreamble.size() + kHeader.size() + kSent.size()));
        QVERIFY(reader.next(chunk));
        QVERIFY(!reader.next(chunk));
        QVERIFY(!reader.next(chunk));
        QCOMPARE(reader.status(), RecordingStatus::Complete);
        QCOMPARE(reader.endTimeUs(), 1000000);
        QVERIFY(!reader.seek(Recording::PreambleSize - 1));
        QVERIFY(reader.seek(received));
        QCOMPARE(reader.status(), RecordingStatus::Cut);
        QCOMPARE(reader.endTimeUs(), -1);
        QVERIFY(reader.next(chunk));
        QCOMPARE(chunk.bytes, QByteArray::fromHex("aabbcc"));

        // The jump forgets how the read ended: a file cut in its end record
        // is still cut, not damaged, the second time.
        QByteArray cut = file.left(file.size() - 1);
        QBuffer cutBuffer(&cut);
        QVERIFY(cutBuffer.open(QIODevice::ReadOnly));
        RecordingReader again(&cutBuffer);
        QVERIFY(again.open());
        while (again.next(chunk)) {
        }
        QVERIFY(again.seek(received));
        QVERIFY(again.next(chunk));
        QVERIFY(!again.next(chunk));
        QCOMPARE(again.status(), RecordingStatus::Cut);

        QByteArray other = file;
        other[8] = 2;
        QBuffer otherBuffer(&other);
        QVERIFY(otherBuffer.open(QIODevice::ReadOnly));
        RecordingReader newer(&otherBuffer);
        QVERIFY(!newer.open());
        QCOMPARE(newer.status(), RecordingStatus::OtherVersion);
        QCOMPARE(newer.version(), 2);

        QTemporaryDir dir;
        QFile out(dir.filePath(QStringLiteral("a.qmrec")));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
        out.close();
        QCOMPARE(readRecording(out.fileName()).chunks.size(), 2);
        QCOMPARE(readRecording(dir.filePath(QStringLiteral("none.qmrec"))).status, RecordingStatus::Unreadable);
    }

    // What a reader refuses rather than trusts: each file ends in its
    // status after the chunks that stand before the bad record.
    void refusals_data()
    {
        QTest::addColumn<QByteArray>("header"); // whole H record
        QTest::addColumn<QByteArray>("records"); // then, before an E record
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("chunks");
        QTest::addColumn<QString>("opened"); // connection/mode/product known/parameters known

        const QByteArray serial = record('H', headerPayload(0, 0, 0));
        const QByteArray time = QByteArray::fromHex("0100000000000000");
        const QByteArray one = record('R', time + "x");
        const int complete = int(RecordingStatus::Complete), damaged = int(RecordingStatus::Damaged),
                  notRecording = int(RecordingStatus::NotRecording);
        QTest::newRow("UDP, product known") << record('H', headerPayload(1, 1, 1)) << one << complete << 1 << "1/1/1/0";
        QTest::newRow("parameters known") << record('H', headerPayload(0, 0, 2)) << one << complete << 1 << "0/0/0/1";
        QTest::newRow("connection 2") << record('H', headerPayload(2, 0, 0)) << one << notRecording << 0 << "";
        QTest::newRow("Ethernet mode 2") << record('H', headerPayload(1, 2, 0)) << one << notRecording << 0 << "";
        QTest::newRow("header a byte short") << record('H', headerPayload(0, 0, 0, 122)) << one << notRecording << 0 << "";
        QTest::newRow("header a byte long") << record('H', headerPayload(0, 0, 0, 124)) << one << notRecording << 0 << "";
        QTest::newRow("a chunk first") << one << one << notRecording << 0 << "";
        QTest::newRow("a chunk of a header's size first")
            << record('R', time + QByteArray(115, 'x')) << one << notRecording << 0 << "";
        QTest::newRow("the longest chunk") << serial << record('S', time + QByteArray(65536, 'y')) << complete << 1
                                           << "0/0/0/0";
        QTest::newRow("a chunk over the limit")
            << serial << one + record('S', time + QByteArray(65537, 'y')) << damaged << 1 << "0/0/0/0";
        QTest::newRow("a length of 2 GB") << serial << one + record('R', time + "x", 0x7fffffffu) << damaged << 1
                                          << "0/0/0/0";
        QTest::newRow("a chunk without bytes") << serial << one + record('R', time) << damaged << 1 << "0/0/0/0";
        QTest::newRow("a second header") << serial << one + serial << damaged << 1 << "0/0/0/0";
        QTest::newRow("an end of 9 bytes") << serial << one + record('E', time + "x") << damaged << 1 << "0/0/0/0";
        QTest::newRow("an unknown type") << serial << record('r', time + "x") << damaged << 0 << "0/0/0/0";
    }
    void refusals()
    {
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, records);
        QFETCH(int, status);
        QFETCH(int, chunks);
        QFETCH(QString, opened);
        QByteArray file = kPreamble + header + records + kEnd;
        QBuffer buffer(&file);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        RecordingReader reader(&buffer);
        QCOMPARE(reader.open(), !opened.isEmpty());
        QVector<RecordingChunk> read;
        for (RecordingChunk c; reader.next(c);)
            read << c;
        QCOMPARE(int(reader.status()), status);
        QCOMPARE(read.size(), chunks);
        if (chunks > 0)
            QCOMPARE(read.constLast().bytes.left(1), QByteArray(read.constLast().sent ? "y" : "x"));
        if (opened.isEmpty())
            return;
        const RecordingHeader &h = reader.header();
        QCOMPARE(QStringLiteral("%1/%2/%3/%4").arg(h.connectionKind).arg(h.ethernetMode).arg(h.productKnown).arg(h.parametersKnown),
                 opened);
    }
};

QTEST_APPLESS_MAIN(TestRecording)
#include "tst_recording.moc"
