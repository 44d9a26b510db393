#include "crc16.h"
#include "frames.h"
#include "livedata.h"

#include <QtTest>

Q_DECLARE_METATYPE(Command)

namespace {
QByteArray hex(const char *h) { return QByteArray::fromHex(h); }
} // namespace

class TestFrames : public QObject
{
    Q_OBJECT
private slots:
    void crcVectors_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("crc");
        QTest::newRow("check value") << QByteArray("123456789") << 0x4B37;
        QTest::newRow("02 07") << hex("0207") << 0x1241;
        QTest::newRow("11 03 00 6B 00 03") << hex("1103006B0003") << 0x8776;
        QTest::newRow("11 01 00 13 00 25") << hex("110100130025") << 0x840E;
        QTest::newRow("01 03 00 00 00 0A") << hex("01030000000A") << 0xCDC5;
        QTest::newRow("empty") << QByteArray() << 0xFFFF;
    }
    void crcVectors()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, crc);
        QCOMPARE(int(crc16Modbus(bytes)), crc);
        // Stored low byte first; a frame with its CRC checks as valid.
        QByteArray frame = bytes + QByteArray(2, '\0');
        storeCrc(frame);
        QCOMPARE(quint8(frame.at(frame.size() - 2)), quint8(crc & 0xFF));
        QCOMPARE(quint8(frame.at(frame.size() - 1)), quint8(crc >> 8));
        QCOMPARE(hasValidCrc(frame), !bytes.isEmpty());
        frame[0] = char(frame.at(0) ^ 0x01);
        QVERIFY(!hasValidCrc(frame));
    }

    void rparaRequestCrcCoversTheCommandTextOnly()
    {
        const QByteArray frame = encodeSimpleRequest(Command::RPara);
        QCOMPARE(frame.size(), 7);
        const quint16 crc = crc16Modbus(QByteArray("RPara"));
        QCOMPARE(frame, QByteArray("RPara") + char(crc & 0xFF) + char(crc >> 8));
    }

    // Every request: its length, its command text, its payload bytes (all
    // others zero) and a CRC over everything before it.
    void requestLayouts_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("payload"); // bytes 5 .. length-3

        for (Command c : {Command::RPrda, Command::RScan, Command::RStre, Command::RBoot, Command::RPara,
                          Command::RCase})
            QTest::newRow(commandInfo(c).text) << encodeSimpleRequest(c) << commandInfo(c).text << 7 << QByteArray();
        QTest::newRow("RArea 63") << encodeRAreaRequest(63) << "RArea" << 9 << hex("3F18");
        QTest::newRow("RAuto 1") << encodeRAuto(1) << "RAuto" << 8 << hex("01");
        QTest::newRow("RAuto 0") << encodeRAuto(0) << "RAuto" << 8 << hex("00");

        SensorParameters params;
        QByteArray paraPayload(60, '\0');
        for (int i = 0; i < 25; ++i) {
            params.Words[size_t(i)] = 0x0100 * i + i + (i == 24 ? 0x10000 : 0); // word 24 is truncated
            paraPayload[2 * i] = char(i);
            paraPayload[2 * i + 1] = char(i);
        }
        QTest::newRow("WPara") << encodeParameterBlock(Command::WPara, params) << "WPara" << 67 << paraPayload;

        ScanControl control{3, 1, 2, 4, 1};
        QTest::newRow("SCtrl") << encodeSCtrlRequest(control) << "SCtrl" << 12 << hex("0300010204");

        SimulationState sim;
        sim.SignalSimulation = true;
        sim.CaseSimulation = true; // input simulation wins: mode 1
        sim.InputBits = 0x1A5;
        sim.SimDegree = -180;
        sim.SimSpeed = 300;
        sim.SimOptionMode = 4;
        sim.OutputSimulation = true;
        sim.OutputBits = 0x07;
        sim.FaultBits = 0x02;
        QTest::newRow("WSimu input simulation")
            << encodeWSimuRequest(SimulationFrame::of(sim)) << "WSimu" << 18 << hex("01A5FF4C012C0004010702");
        sim.SignalSimulation = false;
        sim.OutputSimulation = false;
        QTest::newRow("WSimu case simulation")
            << encodeWSimuRequest(SimulationFrame::of(sim)) << "WSimu" << 18 << hex("02A5FF4C012C0004000702");
        sim.CaseSimulation = false;
        QTest::newRow("WSimu neither")
            << encodeWSimuRequest(SimulationFrame::of(sim)) << "WSimu" << 18 << hex("00A5FF4C012C0004000702");
    }
    void requestLayouts()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QString, text);
        QFETCH(int, length);
        QFETCH(QByteArray, payload);
        QCOMPARE(frame.size(), length);
        QCOMPARE(QString::fromLatin1(frame.left(5)), text);
        QByteArray expectedPayload = payload;
        expectedPayload.append(QByteArray(length - 7 - payload.size(), '\0'));
        QCOMPARE(frame.mid(5, length - 7).toHex(), expectedPayload.toHex());
        QVERIFY(hasValidCrc(frame));
        // The request table agrees with the encoders.
        const std::optional<Command> c = commandAt(frame.constData(), frame.size());
        QVERIFY(c);
        QCOMPARE(commandInfo(*c).requestLength, length);
    }

    // The scanner side reads back what the tool wrote, and refuses frames
    // that are short, long, mislabelled or corrupted.
    void requestsDecodeOnTheScannerSide()
    {
        QCOMPARE(decodeSimpleRequest(encodeSimpleRequest(Command::RCase)), std::optional<Command>(Command::RCase));
        QCOMPARE(decodeRAreaRequest(encodeRAreaRequest(17)), std::optional<int>(17));
        QCOMPARE(decodeRAuto(encodeRAuto(1)), std::optional<int>(1));
        SensorParameters params;
        params.Words[14] = 1;
        params.Words[18] = 0xC0A8; // 192.168
        QCOMPARE(*decodeParameterBlock(encodeParameterBlock(Command::WPara, params), Command::WPara), params);
        const ScanControl control{2, 1, 3, 0, 0};
        QCOMPARE(*decodeSCtrlRequest(encodeSCtrlRequest(control)), control);
        SimulationFrame sim;
        sim.Mode = 2;
        sim.SimDegree = -180;
        sim.SimSpeed = -300;
        QCOMPARE(*decodeWSimuRequest(encodeWSimuRequest(sim)), sim);

        QByteArray bad = encodeSimpleRequest(Command::RPara);
        bad[6] = char(bad.at(6) ^ 0x40);
        QVERIFY(!decodeSimpleRequest(bad));
        QVERIFY(!decodeSimpleRequest(encodeSimpleRequest(Command::RPara) + '\0'));
        QVERIFY(!decodeSimpleRequest(encodeRAreaRequest(1).left(7)));
        QVERIFY(!decodeSimpleRequest(QByteArray("WArea\0\0", 7)));
        QVERIFY(!decodeParameterBlock(encodeParameterBlock(Command::WPara, params), Command::RPara));
        QVERIFY(encodeSimpleRequest(Command::WArea).isEmpty());
    }

    void replyRoundTrips()
    {
        for (Command c : {Command::WPara, Command::WArea, Command::WCase, Command::RBoot}) {
            const QByteArray frame = encodeStatusReply(c, 2);
            QCOMPARE(frame.size(), 8);
            QCOMPARE(decodeStatusReply(frame, c), std::optional<int>(2));
        }
        QVERIFY(!decodeStatusReply(encodeStatusReply(Command::WPara, 0), Command::WCase));
        QVERIFY(decodeSCtrlReply(encodeSCtrlReply()));
        QCOMPARE(encodeSCtrlReply().size(), 12);

        SensorParameters params;
        for (int i = 0; i < 25; ++i)
            params.Words[size_t(i)] = 65535 - i; // read back zero-extended
        const QByteArray rpara = encodeParameterBlock(Command::RPara, params);
        QCOMPARE(rpara.size(), 67);
        QCOMPARE(*decodeParameterBlock(rpara, Command::RPara), params);

        const ProductInfo info{9, 105, 4321, 2024, 5, 17};
        const QByteArray rprda = encodeProductReply(info);
        QCOMPARE(rprda.size(), 509);
        QCOMPARE(*decodeProductReply(rprda), info);

        SimuStatus s;
        s.InputStates = 0x85; // sign-extended when emitted
        s.OutputStates = 0x03;
        s.Status = 0xBEEF;
        s.SensorTemper = -12;
        s.RotateSpeed = 600;
        s.DriveVoltage = 24000;
        s.SendVoltage = 5000;
        s.ReceiveVoltage = 65535;
        const QByteArray wsimu = encodeSimuReply(s);
        QCOMPARE(wsimu.size(), 23);
        const SimuStatus back = *decodeSimuReply(wsimu);
        QCOMPARE(back, s);
        QCOMPARE(back.inport(), 0xFFFFFF85u);
        QCOMPARE(back.outport(), 3u);

        QVector<quint16> samples(640);
        for (int k = 0; k < 640; ++k)
            samples[k] = quint16(k * 97);
        const QByteArray rscan = encodeSamplesReply(Command::RScan, samples);
        QCOMPARE(rscan.size(), 1285);
        QCOMPARE(*decodeSamplesReply(rscan, Command::RScan), samples);
        QVERIFY(!decodeSamplesReply(rscan, Command::RStre));
    }

    void productInformationText()
    {
        const ProductInfo info{9, 105, 4321, 2024, 5, 17};
        QCOMPARE(productInfoText(info, 0), QStringLiteral("Product Name:  VQxxxx-ETH\nFirmware:  1.05\n"
                                                         "SerialNumber:  4321.000000\nProduction:  2024 - 5 - 17"));
        QCOMPARE(productInfoText(info, 1), QStringLiteral("产品型号:  VQxxxx-ETH\n固件版本:  1.05\n"
                                                         "串行编号:  4321.000000\n生产日期:  2024年5月17日"));
        QVERIFY(productInfoText(ProductInfo{7, 0, 0, 0, 0, 0}, 0).startsWith(QStringLiteral("Product Name:  7\n")));
        QVERIFY(productInfoText(info, 2).isEmpty());
    }

    void hisnPackets()
    {
        HisnPacket p;
        p.StartAngle = 0;
        p.EndAngle = 20;
        p.CountA = 3;
        p.Closing = 0;
        p.CountB = 5; // min(A, B) = 3 points travel
        p.Distances = {1000, 0xABCD, 60000};
        p.Intensities = {1, 2, 0x8001};
        const QByteArray bytes = encodeHisnPacket(p);
        QCOMPARE(bytes.size(), 16 + 12);
        QCOMPARE(bytes.mid(16, 4).toHex(), QByteArray("e8030100")); // little-endian samples
        QCOMPARE(*decodeHisnPacket(bytes), p);
        QVERIFY(!decodeHisnPacket(bytes.left(bytes.size() - 1)));
        QVERIFY(!decodeHisnPacket(bytes + '\0'));
        QCOMPARE(hisnPacketLength(bytes.constData(), 15), 0);
    }
};

QTEST_APPLESS_MAIN(TestFrames)
#include "tst_frames.moc"
