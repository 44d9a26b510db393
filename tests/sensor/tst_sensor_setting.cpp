#include "sensordock.h"
#include "sensordockwords.h"
#include "widgetdriving.h"

#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>

using Words = QMap<int, int>; // word number -> value
using Rows = QList<int>;
using R = SENSOR_SETTING;

namespace {
constexpr int kSerial = 0;
constexpr int kEthernet = 1;
const int kDefaultIpHigh = (192 << 8) | 168;
const int kDefaultIpLow = (1 << 8) | 10;

// The user's edit of one row: a choice in a list's popup, or digits typed
// into a number field.
void userSets(SensorDock &dock, int row, int value)
{
    if (QComboBox *list = dock.list(row)) {
        WidgetDriving::choose(list, value);
        return;
    }
    QSpinBox *field = dock.number(row);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QString::number(value));
    QTest::keyClick(field, Qt::Key_Return);
}

void checkWords(const SensorDock &dock, const Words &want)
{
    for (auto it = want.begin(); it != want.end(); ++it)
        QVERIFY2(dock.params.Words[size_t(it.key())] == it.value(),
                 qPrintable(QStringLiteral("word %1 is %2, want %3")
                                .arg(it.key())
                                .arg(dock.params.Words[size_t(it.key())])
                                .arg(it.value())));
}

void checkEnabled(const SensorDock &dock, const Rows &enabled, const Rows &disabled)
{
    for (int r : enabled)
        QVERIFY2(dock.row(r)->isEnabled(), qPrintable(dock.row(r)->objectName()));
    for (int r : disabled)
        QVERIFY2(!dock.row(r)->isEnabled(), qPrintable(dock.row(r)->objectName()));
}

} // namespace

class TestSensorSetting : public QObject
{
    Q_OBJECT

private slots:
    void startsWithTheFactoryBlock()
    {
        SensorDock dock(kEthernet);
        QVERIFY(dock.params == SensorParameters::defaults());
        for (int r : {R::RS485IDAddress, R::CANIDAddress}) {
            QCOMPARE(dock.number(r)->minimum(), 1);
            QCOMPARE(dock.number(r)->maximum(), 127);
            QCOMPARE(dock.shown(r), 127);
        }
        QCOMPARE(dock.shown(R::SensorIPAddress1), 192);
        QCOMPARE(dock.shown(R::SensorIPAddress4), 10);
        QCOMPARE(dock.shown(R::DirtyReceStrength), 500);
        QVERIFY(!dock.data.Modified);
    }

    void showingABlock_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<Words>("words");
        QTest::addColumn<Words>("wantWords");
        QTest::addColumn<Words>("wantShown"); // row -> index or value
        QTest::addColumn<Rows>("enabled");
        QTest::addColumn<Rows>("disabled");

        QTest::newRow("reversed install") << kSerial << Words{{14, 1}} << Words{{14, 1}}
                                          << Words{{R::SensorInstallDir, 1}} << Rows{} << Rows{};
        QTest::newRow("install word above 1") << kSerial << Words{{14, 2}} << Words{{14, 0}}
                                              << Words{{R::SensorInstallDir, 0}} << Rows{} << Rows{};
        QTest::newRow("motor speed above 1") << kSerial << Words{{11, 2}} << Words{{11, 0}}
                                             << Words{{R::ScanMotorSpeed, 0}} << Rows{} << Rows{};
        QTest::newRow("filter level 3 kept, 4 dropped")
            << kSerial << Words{{13, 3}, {22, 3}} << Words{{13, 3}} << Words{{R::ScanFilterLevel, 3}} << Rows{}
            << Rows{};
        QTest::newRow("filter level above 3") << kSerial << Words{{13, 4}} << Words{{13, 0}}
                                              << Words{{R::ScanFilterLevel, 0}} << Rows{} << Rows{};
        QTest::newRow("dirt distance 2500") << kEthernet << Words{{23, 2500}} << Words{{23, 200}}
                                            << Words{{R::DirtyReceDistance, 200}} << Rows{} << Rows{};
        QTest::newRow("dirt strength 2001") << kEthernet << Words{{24, 2001}} << Words{{24, 500}}
                                            << Words{{R::DirtyReceStrength, 500}} << Rows{} << Rows{};
        QTest::newRow("dirt at 2000 kept") << kEthernet << Words{{23, 2000}, {24, 2000}}
                                           << Words{{23, 2000}, {24, 2000}}
                                           << Words{{R::DirtyReceDistance, 2000}, {R::DirtyReceStrength, 2000}}
                                           << Rows{} << Rows{};
        // A field clamps what it shows; the word keeps what the scanner said.
        QTest::newRow("address 0 shown at the minimum")
            << kSerial << Words{{4, 0}} << Words{{4, 0}} << Words{{R::RS485IDAddress, 1}} << Rows{} << Rows{};
        QTest::newRow("unknown control mode shows no item")
            << kSerial << Words{{0, 9}} << Words{{0, 9}} << Words{{R::ControlMode, -1}} << Rows{} << Rows{};
        QTest::newRow("serial: angle 7 becomes 1") << kSerial << Words{{12, 7}} << Words{{12, 1}}
                                                   << Words{{R::ScanSensorAngle, 1}} << Rows{} << Rows{};
        QTest::newRow("Ethernet: angle 5 becomes 1") << kEthernet << Words{{12, 5}} << Words{{12, 1}}
                                                     << Words{{R::ScanSensorAngle, 1}} << Rows{} << Rows{};
        QTest::newRow("Ethernet: angle 4 kept") << kEthernet << Words{{12, 4}} << Words{{12, 4}}
                                                << Words{{R::ScanSensorAngle, 4}} << Rows{} << Rows{};
        QTest::newRow("Ethernet: address and mode shown")
            << kEthernet << Words{{17, 1}, {18, (10 << 8) | 1}, {19, (2 << 8) | 254}}
            << Words{{18, (10 << 8) | 1}, {19, (2 << 8) | 254}}
            << Words{{R::SensorEtherMode, 1}, {R::SensorIPAddress1, 10}, {R::SensorIPAddress2, 1},
                     {R::SensorIPAddress3, 2}, {R::SensorIPAddress4, 254}}
            << Rows{} << Rows{};
        // A project saves these rows on any link: they show the block.
        QTest::newRow("serial: address, mode and laser lists shown")
            << kSerial << Words{{17, 1}, {18, (10 << 8) | 1}, {19, (2 << 8) | 254}, {20, 2}, {21, 3}}
            << Words{{17, 1}, {18, (10 << 8) | 1}, {19, (2 << 8) | 254}, {20, 2}, {21, 3}}
            << Words{{R::SensorEtherMode, 1}, {R::SensorIPAddress1, 10}, {R::SensorIPAddress4, 254},
                     {R::LaserMeasureFrq, 2}, {R::LaserStopSignal, 3}}
            << Rows{R::DirtyReceDistance} << Rows{};
        QTest::newRow("Ethernet: cross filter off") << kEthernet << Words{{15, 0}} << Words{{15, 0}}
                                                    << Words{{R::CrossFilterEnable, 0}} << Rows{}
                                                    << Rows{R::CrossFilterNumber};
        QTest::newRow("Ethernet: cross filter fitting") << kEthernet << Words{{15, 1}} << Words{{15, 1}}
                                                        << Words{{R::CrossFilterEnable, 1}}
                                                        << Rows{R::CrossFilterNumber} << Rows{};
        QTest::newRow("Ethernet: stop signal off")
            << kEthernet << Words{{21, 0}} << Words{{21, 0}} << Words{{R::LaserStopSignal, 0}} << Rows{}
            << Rows{R::DirtyReceDistance, R::DirtyReceStrength};
        QTest::newRow("Ethernet: stop signal on")
            << kEthernet << Words{{21, 2}} << Words{{21, 2}} << Words{{R::LaserStopSignal, 2}}
            << Rows{R::DirtyReceDistance, R::DirtyReceStrength} << Rows{};
    }

    void showingABlock()
    {
        QFETCH(int, kind);
        QFETCH(Words, words);
        QFETCH(Words, wantWords);
        QFETCH(Words, wantShown);
        QFETCH(Rows, enabled);
        QFETCH(Rows, disabled);

        SensorDock dock(kind);
        dock.showBlock(words);
        checkWords(dock, wantWords);
        for (auto it = wantShown.begin(); it != wantShown.end(); ++it)
            QVERIFY2(dock.shown(it.key()) == it.value(),
                     qPrintable(QStringLiteral("%1 shows %2, want %3")
                                    .arg(dock.row(it.key())->objectName())
                                    .arg(dock.shown(it.key()))
                                    .arg(it.value())));
        checkEnabled(dock, enabled, disabled);
        // Showing is not an edit.
        QVERIFY(!dock.data.Modified);
    }

    void reversedInstallReadsAsSuch()
    {
        SensorDock dock;
        dock.showBlock({{14, 1}});
        QCOMPARE(dock.ui.Para_SensorInstallDir->currentText(), QStringLiteral("倒立安装"));
        dock.setting->retranslate(1);
        QCOMPARE(dock.ui.Para_SensorInstallDir->currentText(), QStringLiteral("Reverse"));
    }

    void userEdits_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<Words>("block"); // shown first
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("value"); // list index chosen or number typed
        QTest::addColumn<Words>("wantWords");
        QTest::addColumn<Rows>("enabled");
        QTest::addColumn<Rows>("disabled");

        const Words none;
        QTest::newRow("RS485 address typed") << kSerial << none << int(R::RS485IDAddress) << 42 << Words{{4, 42}}
                                             << Rows{} << Rows{};
        QTest::newRow("CAN baud rate chosen") << kSerial << none << int(R::CANBaudRate) << 3 << Words{{9, 3}}
                                              << Rows{} << Rows{};
        // The window disables these rows on a serial line; whatever sets
        // them, the block follows, or a saved project would not say what
        // WPara sends.
        QTest::newRow("serial: IP typed") << kSerial << none << int(R::SensorIPAddress1) << 10
                                          << Words{{18, (10 << 8) | 168}, {19, kDefaultIpLow}} << Rows{} << Rows{};
        QTest::newRow("Ethernet: first octet typed") << kEthernet << none << int(R::SensorIPAddress1) << 10
                                                     << Words{{18, (10 << 8) | 168}, {19, kDefaultIpLow}}
                                                     << Rows{} << Rows{};
        QTest::newRow("Ethernet: last octet typed") << kEthernet << none << int(R::SensorIPAddress4) << 77
                                                    << Words{{18, kDefaultIpHigh}, {19, (1 << 8) | 77}}
                                                    << Rows{} << Rows{};
        QTest::newRow("Ethernet: finest angle forces the slow motor")
            << kEthernet << Words{{11, 1}, {12, 2}} << int(R::ScanSensorAngle) << 0 << Words{{11, 0}, {12, 0}}
            << Rows{} << Rows{};
        QTest::newRow("Ethernet: other angle keeps the motor")
            << kEthernet << Words{{11, 1}, {12, 2}} << int(R::ScanSensorAngle) << 3 << Words{{11, 1}, {12, 3}}
            << Rows{} << Rows{};
        QTest::newRow("serial: finest angle forces the slow motor")
            << kSerial << Words{{11, 1}, {12, 2}} << int(R::ScanSensorAngle) << 0 << Words{{11, 0}, {12, 0}}
            << Rows{} << Rows{};
        QTest::newRow("Ethernet: cross filter off") << kEthernet << Words{{15, 2}} << int(R::CrossFilterEnable)
                                                    << 0 << Words{{15, 0}} << Rows{} << Rows{R::CrossFilterNumber};
        QTest::newRow("Ethernet: cross filter on") << kEthernet << Words{{15, 0}} << int(R::CrossFilterEnable)
                                                   << 1 << Words{{15, 1}} << Rows{R::CrossFilterNumber} << Rows{};
        QTest::newRow("Ethernet: stop signal off") << kEthernet << Words{{21, 1}} << int(R::LaserStopSignal) << 0
                                                   << Words{{21, 0}} << Rows{}
                                                   << Rows{R::DirtyReceDistance, R::DirtyReceStrength};
        QTest::newRow("serial: stop signal chosen")
            << kSerial << Words{{21, 0}} << int(R::LaserStopSignal) << 2 << Words{{21, 2}}
            << Rows{R::DirtyReceDistance, R::DirtyReceStrength} << Rows{};
        QTest::newRow("Ethernet: dirt distance typed") << kEthernet << none << int(R::DirtyReceDistance) << 1500
                                                       << Words{{23, 1500}} << Rows{} << Rows{};
        // A list showing no item must not send -1 (65535) for a value it
        // cannot show.
        QTest::newRow("unknown control mode kept") << kSerial << Words{{0, 9}} << int(R::RS232BaudRate) << 3
                                                   << Words{{0, 9}, {1, 3}} << Rows{} << Rows{};
    }

    void userEdits()
    {
        QFETCH(int, kind);
        QFETCH(Words, block);
        QFETCH(int, row);
        QFETCH(int, value);
        QFETCH(Words, wantWords);
        QFETCH(Rows, enabled);
        QFETCH(Rows, disabled);

        SensorDock dock(kind);
        QVERIFY(dock.show());
        dock.showBlock(block);
        QVERIFY(dock.row(row)->isEnabled());
        userSets(dock, row, value);
        QTRY_COMPARE(dock.shown(row), value);
        checkWords(dock, wantWords);
        checkEnabled(dock, enabled, disabled);
        QVERIFY(dock.data.Modified);
    }

    void finestAngleShowsTheSlowMotor()
    {
        SensorDock dock(kEthernet);
        QVERIFY(dock.show());
        dock.showBlock({{11, 1}, {12, 2}});
        userSets(dock, R::ScanSensorAngle, 0);
        QTRY_COMPARE(dock.shown(R::ScanMotorSpeed), 0);
    }

    void dockStateRoundTrip()
    {
        // Every row off its default, each value in range.
        const SensorDockState state = {3, 2, 1, 2, 42, 4, 2, 0,  99, 3,  1,    1,   3,    2,
                                       1, 1, 5, 1, 10, 0, 0, 7, 2,  3, 2, 1234, 1999};
        SensorDock first(kEthernet);
        first.setting->applyDockState(state);
        QCOMPARE(first.setting->dockState(), state);
        const std::array<qint32, SensorParameters::WordCount> words = {
            3, 2, 1, 2, 42, 4, 2, 0, 99, 3, 1, 1, 3, 2, 1, 1, 5, 1, 10 << 8, 7, 2, 3, 2, 1234, 1999};
        QCOMPARE(first.params.Words, words);
        // Loading a project is not an edit of the dock.
        QVERIFY(!first.data.Modified);

        SensorDock second(kEthernet);
        second.setting->applyDockState(first.setting->dockState());
        QVERIFY(second.params == first.params);
    }

    void dockStateClampsAndDefaults_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("wantShown");
        QTest::addColumn<int>("word");
        QTest::addColumn<int>("wantWord");

        QTest::newRow("address below 1") << int(R::RS485IDAddress) << 0 << 1 << 4 << 1;
        QTest::newRow("address above 127") << int(R::CANIDAddress) << 500 << 127 << 8 << 127;
        QTest::newRow("octet above 255") << int(R::SensorIPAddress1) << 300 << 255 << 18 << ((255 << 8) | 168);
        QTest::newRow("negative octet") << int(R::SensorIPAddress4) << -5 << 0 << 19 << (1 << 8);
        QTest::newRow("dirt above 2000") << int(R::DirtyReceStrength) << 9999 << 2000 << 24 << 2000;
        // A list index the list lacks shows no item; the word keeps its value.
        QTest::newRow("list index too large") << int(R::RS232BaudRate) << 99 << -1 << 1 << 0;
        QTest::newRow("negative list index") << int(R::CANBaudRate) << -3 << -1 << 9 << 0;
    }

    void dockStateClampsAndDefaults()
    {
        QFETCH(int, row);
        QFETCH(int, value);
        QFETCH(int, wantShown);
        QFETCH(int, word);
        QFETCH(int, wantWord);

        SensorDock dock(kEthernet);
        SensorDockState state = dock.setting->dockState();
        state[size_t(row)] = value;
        dock.setting->applyDockState(state);
        QCOMPARE(dock.shown(row), wantShown);
        QCOMPARE(dock.params.Words[size_t(word)], wantWord);
        QVERIFY(!dock.data.Modified);
    }

    void applyingWhatIsShownStillSetsTheBlock()
    {
        SensorDock dock(kSerial);
        dock.showBlock({{4, 0}}); // shown as 1, the field's minimum
        dock.setting->applyDockState(dock.setting->dockState());
        QCOMPARE(dock.params.Words[4], 1);
    }

    void allZeroStateSetsItemZeroAndMinimums()
    {
        // What a project file without its sensor section reads as.
        SensorDock dock(kEthernet);
        dock.setting->applyDockState(SensorDockState{});
        for (int r = 0; r < R::RowCount; ++r) {
            const int want = (r == R::RS485IDAddress || r == R::CANIDAddress) ? 1 : 0;
            QVERIFY2(dock.shown(r) == want, qPrintable(dock.row(r)->objectName()));
        }
        checkWords(dock, {{4, 1}, {8, 1}, {11, 0}, {12, 0}, {18, 0}, {19, 0}, {21, 0}, {23, 0}});
        checkEnabled(dock, {}, {R::CrossFilterNumber, R::DirtyReceDistance, R::DirtyReceStrength});
    }

    void resetRestoresTheFactoryBlock()
    {
        SensorDock dock(kEthernet);
        dock.showBlock({{0, 3}, {12, 3}, {18, 0x0A00}, {23, 5}});
        dock.number(R::RS485IDAddress)->setRange(0, 1000);
        dock.setting->SetDefaultParameters();
        QVERIFY(dock.params == SensorParameters::defaults());
        QCOMPARE(dock.number(R::RS485IDAddress)->minimum(), 1);
        QCOMPARE(dock.number(R::RS485IDAddress)->maximum(), 127);
        QCOMPARE(dock.shown(R::ControlMode), 0);
        QCOMPARE(dock.shown(R::SensorIPAddress1), 192);
        QCOMPARE(dock.shown(R::DirtyReceDistance), 200);
        QVERIFY(!dock.data.Modified);
    }

    void sensorTypeRefill_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("motor");
        QTest::addColumn<QStringList>("frequency");
        QTest::addColumn<QStringList>("stop");
        QTest::addColumn<Words>("wantWords");

        const QStringList motor10 = {QStringLiteral("10Hz,600r"), QStringLiteral("20Hz,1200r")};
        const QStringList frq10 = {QStringLiteral("144KHz"), QStringLiteral("288KHz"), QStringLiteral("576KHz")};
        const QStringList stop10 = {QStringLiteral("第一次"), QStringLiteral("最后一次"), QStringLiteral("能量最大")};
        const QStringList motor18 = {QStringLiteral("15Hz,900r"), QStringLiteral("30Hz,1800r")};
        const QStringList frq18 = {QStringLiteral("108KHz"), QStringLiteral("216KHz"), QStringLiteral("432KHz")};
        const QStringList stop18 = {QStringLiteral("第一次"), QStringLiteral("第二次"), QStringLiteral("最后一次"),
                                    QStringLiteral("能量最大")};
        const QStringList formMotor = {QStringLiteral("10Hz,15Hz"), QStringLiteral("20Hz,30Hz")};
        const QStringList formFrq = {QStringLiteral("144KHz"), QStringLiteral("216KHz"), QStringLiteral("432KHz")};
        const QStringList formStop = stop18;

        // The words keep the scanner's choices; the fourth echo is not in
        // type 10's list of three and falls back to the first.
        QTest::newRow("type 10, Ethernet") << kEthernet << 10 << motor10 << frq10 << stop10
                                           << Words{{11, 1}, {20, 2}, {21, 0}};
        QTest::newRow("type 12, serial") << kSerial << 12 << motor10 << frq10 << stop10
                                         << Words{{11, 1}, {20, 2}, {21, 0}};
        QTest::newRow("type 18") << kEthernet << 18 << motor18 << frq18 << stop18
                                 << Words{{11, 1}, {20, 2}, {21, 3}};
        QTest::newRow("type 20") << kSerial << 20 << motor18 << frq18 << stop18
                                 << Words{{11, 1}, {20, 2}, {21, 3}};
        QTest::newRow("type 13 changes nothing") << kEthernet << 13 << formMotor << formFrq << formStop
                                                 << Words{{11, 1}, {20, 2}, {21, 3}};
    }

    void sensorTypeRefill()
    {
        QFETCH(int, kind);
        QFETCH(int, type);
        QFETCH(QStringList, motor);
        QFETCH(QStringList, frequency);
        QFETCH(QStringList, stop);
        QFETCH(Words, wantWords);

        SensorDock dock(kind);
        dock.showBlock({{11, 1}, {20, 2}, {21, 3}});
        dock.setting->SensorTypeChange(type);
        const std::pair<QComboBox *, QStringList> lists[] = {
            {dock.ui.Para_ScanMotorSpeed, motor}, {dock.ui.Para_LaserMeasureFrq, frequency},
            {dock.ui.Para_LaserStopSignal, stop}};
        for (const auto &l : lists) {
            QStringList items;
            for (int i = 0; i < l.first->count(); ++i)
                items << l.first->itemText(i);
            QCOMPARE(items, l.second);
        }
        checkWords(dock, wantWords);
        QCOMPARE(dock.setting->dockState(), SensorDockWords::rowsOfWords(dock.params));
        QVERIFY(!dock.data.Modified);
    }

    void wheelChangesOnlyAFocusedField()
    {
        SensorDock dock;
        QVERIFY(dock.show());
        QScrollBar *bar = dock.ui.SensorScrollArea->verticalScrollBar();
        QVERIFY(bar->maximum() > 0); // the dock must be able to scroll at all
        QComboBox *combo = dock.ui.Para_ControlMode;
        QSpinBox *spin = dock.ui.Para_RS485IDAddress;
        dock.ui.Para_CANBaudRate->setFocus(); // focus elsewhere in the dock
        QTRY_VERIFY(dock.ui.Para_CANBaudRate->hasFocus());

        for (QWidget *field : {static_cast<QWidget *>(combo), static_cast<QWidget *>(spin)}) {
            bar->setValue(0);
            const SensorDockState before = dock.setting->dockState();
            WidgetDriving::turnWheel(field, -1);
            QCOMPARE(dock.setting->dockState(), before);
            QVERIFY2(bar->value() > 0, qPrintable(field->objectName()));
            QVERIFY(!field->hasFocus());
        }

        bar->setValue(0);
        combo->setFocus();
        QTRY_VERIFY(combo->hasFocus());
        WidgetDriving::turnWheel(combo, -1);
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(bar->value(), 0);
        QVERIFY(dock.data.Modified);
    }

    void retranslateSetsTextsInPlace()
    {
        SensorDock dock;
        SensorDock fresh; // the form's own texts
        dock.showBlock({{0, 5}, {2, 2}, {14, 1}, {22, 3}});
        dock.setting->SensorTypeChange(10);
        const SensorParameters params = dock.params;
        const SensorDockState state = dock.setting->dockState();
        QList<QComboBox *> combos = dock.window->findChildren<QComboBox *>();
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (QComboBox *c : combos)
            spies.emplace_back(new QSignalSpy(c, qOverload<int>(&QComboBox::currentIndexChanged)));
        auto label = [&](const char *name) {
            return dock.window->findChild<QLabel *>(QLatin1String(name))->text();
        };

        dock.setting->retranslate(1);
        QCOMPARE(label("label_ControlMode"), QStringLiteral("Control Mode"));
        QCOMPARE(label("label_SensorIPAddress"), QStringLiteral("IP Address:"));
        QCOMPARE(label("label_LaserMeasureFrq"), QStringLiteral("Laser Ferq"));
        QCOMPARE(label("label_DirtyReceStrength"), QStringLiteral("Dirty Strength"));
        QCOMPARE(dock.ui.Para_ControlMode->itemText(4), QStringLiteral("Modbus Interface"));
        // Items one language does not name keep their text.
        QCOMPARE(dock.ui.Para_ControlMode->itemText(5), QStringLiteral("CANOpen总线控制"));
        QCOMPARE(dock.ui.Para_RS232CommVerify->currentText(), QStringLiteral("Even"));
        QCOMPARE(dock.ui.Para_RS485StopBit->itemText(1), QStringLiteral("Stop 1.5Bit"));
        QCOMPARE(dock.ui.Para_ScanFilterLevel->itemText(2), QStringLiteral("Middle"));
        QCOMPARE(dock.ui.Para_TrailiFilterLevel->currentText(), QStringLiteral("Strict"));
        QCOMPARE(dock.ui.Para_TrailiFilterLevel->itemText(2), QStringLiteral("Medium"));
        QCOMPARE(dock.ui.Para_CrossFilterEnable->itemText(1), QStringLiteral("fitting"));
        QCOMPARE(dock.ui.Para_SensorEtherMode->itemText(0), QStringLiteral("TCP Server"));
        QCOMPARE(dock.ui.Para_RS232BaudRate->itemText(4), QStringLiteral("115200"));
        QCOMPARE(dock.ui.ScanGroupBox->title(), QStringLiteral("Scan Setting"));
        QCOMPARE(dock.ui.SensorSettingDock->windowTitle(), QStringLiteral("Sensor Setting"));
        // The lists of the scanner's type are not touched.
        QCOMPARE(dock.ui.Para_ScanMotorSpeed->itemText(0), QStringLiteral("10Hz,600r"));
        QCOMPARE(dock.ui.Para_LaserStopSignal->itemText(1), QStringLiteral("最后一次"));

        dock.setting->retranslate(0);
        // Back in Chinese every text is the form's again, except the sixth
        // control mode, which the Chinese texts name by its protocol.
        QCOMPARE(dock.ui.Para_ControlMode->itemText(5), QStringLiteral("CANOpen协议控制"));
        dock.ui.Para_ControlMode->setItemText(5, fresh.ui.Para_ControlMode->itemText(5));
        for (QLabel *l : fresh.ui.SensorParaContents->findChildren<QLabel *>())
            QCOMPARE(label(l->objectName().toLatin1().constData()), l->text());
        for (QComboBox *c : fresh.ui.SensorParaContents->findChildren<QComboBox *>()) {
            if (c == fresh.ui.Para_ScanMotorSpeed || c == fresh.ui.Para_LaserMeasureFrq
                || c == fresh.ui.Para_LaserStopSignal)
                continue;
            auto *mine = dock.window->findChild<QComboBox *>(c->objectName());
            QCOMPARE(mine->count(), c->count());
            for (int i = 0; i < c->count(); ++i)
                QCOMPARE(mine->itemText(i), c->itemText(i));
        }
        QCOMPARE(dock.ui.ScanGroupBox->title(), fresh.ui.ScanGroupBox->title());
        QCOMPARE(dock.ui.SensorSettingDock->windowTitle(), fresh.ui.SensorSettingDock->windowTitle());

        for (size_t i = 0; i < spies.size(); ++i)
            QVERIFY2(spies[i]->isEmpty(), qPrintable(combos[int(i)]->objectName()));
        QCOMPARE(dock.setting->dockState(), state);
        QVERIFY(dock.params == params);
        QVERIFY(!dock.data.Modified);
    }
};

QTEST_MAIN(TestSensorSetting)
#include "tst_sensor_setting.moc"
