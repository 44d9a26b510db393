#include "devicetype.h"
#include "editdata.h"

#include <QtTest>

class TestEditData : public QObject
{
    Q_OBJECT
private slots:
    void startsWithBlankAreasAndOneSnapshotEach()
    {
        EditData data;
        QCOMPARE(data.Areas.size(), 64);
        QCOMPARE(data.UndoHistory.size(), 64);
        for (int i = 0; i < 64; ++i) {
            QCOMPARE(data.Areas[i], data.BlankArea);
            QCOMPARE(data.UndoHistory[i].size(), 1);
            QCOMPARE(data.UndoHistory[i][0], data.BlankArea);
            QCOMPARE(data.UndoIndex[size_t(i)], 0);
        }
        QCOMPARE(data.CurrentArea, 0);
        QCOMPARE(data.CurrentOutput, 0);
        QVERIFY(!data.Modified);
    }

    void newProjectKeepsCaseChannelAndClearsTheRest()
    {
        EditData data;
        for (int i = 0; i < 64; ++i) {
            AreaRecord &a = data.Areas[i];
            a.OpenDelay = 3;
            a.CloseDelay = 4;
            a.Hysteresis = 5;
            a.DetectionSize = 1;
            a.SteerMinDgree = -30 - i;
            a.SteerMaxDgree = 40;
            a.VehicleMinSpeed = -100;
            a.VehicleMaxSpeed = 250;
            a.VehicleOptionMode = i % 5;
            a.Out1Shape = Arc;
            a.Out2Shape = Fan;
            a.Out3Shape = Ratio;
            a.Out1Points = {QPoint(1000, 0), QPoint(0, 1000)};
            a.Out2Points = {QPoint(0, 300)};
            a.Out3Points = {QPoint(0, 150)};
        }
        data.Modified = true;
        data.CurrentArea = 17;
        data.Clipboard = data.Areas[5];
        data.UndoHistory[3].append(data.Areas[3]);
        data.UndoIndex[3] = 1;

        data.resetForNewProject();

        QVERIFY(!data.Modified);
        for (int i = 0; i < 64; ++i) {
            const AreaRecord &a = data.Areas[i];
            QCOMPARE(a.SteerMinDgree, -30 - i);
            QCOMPARE(a.SteerMaxDgree, 40);
            QCOMPARE(a.VehicleMinSpeed, -100);
            QCOMPARE(a.VehicleMaxSpeed, 250);
            QCOMPARE(a.VehicleOptionMode, i % 5);
            AreaRecord cleared = data.BlankArea;
            cleared.SteerMinDgree = a.SteerMinDgree;
            cleared.SteerMaxDgree = a.SteerMaxDgree;
            cleared.VehicleMinSpeed = a.VehicleMinSpeed;
            cleared.VehicleMaxSpeed = a.VehicleMaxSpeed;
            cleared.VehicleOptionMode = a.VehicleOptionMode;
            QCOMPARE(a, cleared);
        }
        // Not part of the reset: clipboard, current area, undo histories.
        QCOMPARE(data.CurrentArea, 17);
        QCOMPARE(data.Clipboard.Out1Shape, int(Arc));
        QCOMPARE(data.UndoHistory[3].size(), 2);
        QCOMPARE(data.UndoIndex[3], 1);
    }

    void currentAreaAboveRangeIsClampedInPlace()
    {
        EditData data;
        data.CurrentArea = 200; // a monitored input value
        QCOMPARE(data.currentAreaIndex(), 63);
        QCOMPARE(data.CurrentArea, 63);
        data.CurrentArea = 12;
        data.currentArea().OpenDelay = 9;
        QCOMPARE(data.Areas[12].OpenDelay, 9);
    }

    void assignmentCopiesEverythingButTheConstantBlank()
    {
        EditData a;
        a.Areas[7].Out1Points = {QPoint(1, 2)};
        a.Modified = true;
        a.SignalSimulation = true;
        a.InputBits = 0x2a;
        a.SimSpeed = -120;
        EditData b;
        b = a;
        QVERIFY(b.SignalSimulation);
        QCOMPARE(b.InputBits, 0x2a);
        QCOMPARE(b.SimSpeed, -120);
        QCOMPARE(b.Areas[7].Out1Points, a.Areas[7].Out1Points);
        QVERIFY(b.Modified);
        QCOMPARE(b.BlankArea, AreaRecord());
    }

    void deviceClassTable()
    {
        QCOMPARE(DeviceClasses::sceneExtent(0), 12000.0);
        QCOMPARE(DeviceClasses::sceneExtent(4), 120000.0);
        QCOMPARE(DeviceClasses::maxRange(2), 24000);
        QCOMPARE(DeviceClasses::maxRange(3), 36000);
        QCOMPARE(QString(DeviceClasses::rangeName(1)), QString("10"));
        QVERIFY(!DeviceClasses::isValid(5));
        QVERIFY(!DeviceClasses::isValid(-1));
        QCOMPARE(DeviceClasses::maxRange(-1), 0);
        QCOMPARE(DEVICETYPE().Type, 3);
    }
};

QTEST_APPLESS_MAIN(TestEditData)
#include "tst_editdata.moc"
