#include "editdock.h"

#include <QSignalSpy>
#include <QTabBar>

class TstEditControl : public QObject
{
    Q_OBJECT

    std::unique_ptr<EditDock> dock;
    std::unique_ptr<QSignalSpy> para;
    std::unique_ptr<QSignalSpy> shape;

    AreaRecord &area() { return dock->data.currentArea(); }
    QVector<bool> checks(int out)
    {
        QVector<bool> states;
        for (QPushButton *b : dock->shape[out])
            states << b->isChecked();
        return states;
    }

private slots:
    void init()
    {
        dock.reset(new EditDock);
        dock->data.Areas[0].Out2Shape = Fan; // construction resets area 0 to polygons
        dock->createControllers();
        para.reset(new QSignalSpy(dock->controls.get(), &EDIT_CONTROL::EditControlParaChangeSignal));
        shape.reset(new QSignalSpy(dock->controls.get(), &EDIT_CONTROL::EditControlShapeChangeSignal));
        QVERIFY(dock->show());
    }
    void cleanup()
    {
        para.reset();
        shape.reset();
        dock.reset();
    }

    void constructionState()
    {
        QCOMPARE(dock->steerMin->minimum(), -180);
        QCOMPARE(dock->steerMax->maximum(), 180);
        QCOMPARE(dock->speedMin->minimum(), -300);
        QCOMPARE(dock->speedMax->maximum(), 300);
        QCOMPARE(area().Out2Shape, int(Polygon));
        for (int out = 0; out < 3; ++out) {
            QCOMPARE(checks(out), QVector<bool>({true, false, false, false, false, false}));
            for (int k = 0; k < 6; ++k) {
                QVERIFY(dock->shape[out][k]->isCheckable());
                const bool disabled = k == Ratio || (out == 0 && k >= Straight);
                QCOMPARE(dock->shape[out][k]->isEnabled(), !disabled);
            }
        }
        // Disabled buttons cannot reach the model.
        QTest::mouseClick(dock->shape[0][Fan], Qt::LeftButton);
        QTest::mouseClick(dock->shape[1][Ratio], Qt::LeftButton);
        QCOMPARE(shape->count(), 0);
    }

    void shapeButtonsSetDefaultPoints()
    {
        area().Out2Points = {QPoint(1, 2), QPoint(3, 4), QPoint(5, 6)};
        QTest::mouseClick(dock->shape[1][Arc], Qt::LeftButton);
        QCOMPARE(area().Out2Shape, int(Arc));
        QCOMPARE(area().Out2Points, QVector<QPoint>({QPoint(20, 0), QPoint(20, 0)}));
        QCOMPARE(shape->count(), 1);
        QCOMPARE(checks(1), QVector<bool>({false, true, false, false, false, false}));
        QCOMPARE(checks(0), QVector<bool>({true, false, false, false, false, false}));

        // Same kind again: the edited arc is kept, no signal, still checked.
        area().Out2Points = {QPoint(3000, 0), QPoint(0, 3000)};
        QTest::mouseClick(dock->shape[1][Arc], Qt::LeftButton);
        QCOMPARE(area().Out2Points, QVector<QPoint>({QPoint(3000, 0), QPoint(0, 3000)}));
        QCOMPARE(shape->count(), 1);
        QVERIFY(dock->shape[1][Arc]->isChecked());

        QTest::mouseClick(dock->shape[2][Rectangle], Qt::LeftButton);
        QCOMPARE(area().Out3Points, QVector<QPoint>(4, QPoint(20, 0)));
        QTest::mouseClick(dock->shape[2][Straight], Qt::LeftButton);
        QCOMPARE(area().Out3Points, QVector<QPoint>({QPoint(0, 20)}));
        QTest::mouseClick(dock->shape[1][Fan], Qt::LeftButton);
        QCOMPARE(area().Out2Shape, int(Fan));
        QCOMPARE(area().Out2Points, QVector<QPoint>({QPoint(0, 20)}));
        QCOMPARE(shape->count(), 4);

        // Rectangle to polygon keeps the corners as vertices.
        const QVector<QPoint> corners = {QPoint(-5, 1), QPoint(-5, 9), QPoint(5, 9), QPoint(5, 1)};
        QTest::mouseClick(dock->shape[0][Rectangle], Qt::LeftButton);
        area().Out1Points = corners;
        QTest::mouseClick(dock->shape[0][Polygon], Qt::LeftButton);
        QCOMPARE(area().Out1Shape, int(Polygon));
        QCOMPARE(area().Out1Points, corners);
        QCOMPARE(checks(0), QVector<bool>({true, false, false, false, false, false}));
    }

    void parameterCombosWriteOnUserChoiceOnly()
    {
        EditDock::choose(dock->openDelay, 5);
        QCOMPARE(area().OpenDelay, 5);
        QCOMPARE(para->count(), 1);
        EditDock::choose(dock->openDelay, 5); // same item again: written and announced again
        QCOMPARE(para->count(), 2);
        EditDock::choose(dock->hysteresis, 10);
        EditDock::choose(dock->detectionSize, 3);
        EditDock::choose(dock->closeDelay, 25);
        QCOMPARE(area().Hysteresis, 10);
        QCOMPARE(area().DetectionSize, 3);
        QCOMPARE(area().CloseDelay, 25);
        QCOMPARE(para->count(), 5);

        // Keyboard choice emits too.
        dock->optionMode->setFocus();
        QTest::keyClick(dock->optionMode, Qt::Key_Down);
        QCOMPARE(area().VehicleOptionMode, 1);
        QCOMPARE(para->count(), 6);
    }

    void oneSpinBoxRewritesAllCaseChannelFields()
    {
        dock->steerMax->setValue(90);
        dock->speedMin->setValue(-20);
        dock->optionMode->setCurrentIndex(3);
        QCOMPARE(para->count(), 0); // programmatic changes are not edits
        dock->steerMin->setFocus();
        dock->steerMin->selectAll();
        QTest::keyClicks(dock->steerMin, "-45");
        QTest::keyClick(dock->steerMin, Qt::Key_Return);
        QCOMPARE(para->count(), 1);
        QCOMPARE(area().SteerMinDgree, -45);
        QCOMPARE(area().SteerMaxDgree, 90);
        QCOMPARE(area().VehicleMinSpeed, -20);
        QCOMPARE(area().VehicleMaxSpeed, 0);
        QCOMPARE(area().VehicleOptionMode, 3);
    }

    void tabBarSetsCurrentOutput()
    {
        QTabBar *bar = dock->tab->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
        QCOMPARE(dock->data.CurrentOutput, 2);
        // Outside any tab: index -1, nothing changes.
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 2, bar->height() / 2));
        QCOMPARE(dock->data.CurrentOutput, 2);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
        QCOMPARE(dock->data.CurrentOutput, 0);
        QCOMPARE(para->count() + shape->count(), 0);
    }

    void loadingTheWidgetsWritesNothing()
    {
        AreaRecord &a = dock->data.Areas[9];
        a.OpenDelay = 3;
        a.CloseDelay = 4;
        a.Hysteresis = 5;
        a.DetectionSize = 6;
        a.SteerMinDgree = -170;
        a.SteerMaxDgree = 170;
        a.VehicleMinSpeed = -250;
        a.VehicleMaxSpeed = 250;
        a.VehicleOptionMode = 2;
        a.Out1Shape = 4; // only possible from a file: output 1's buttons stay
        a.Out2Shape = Ratio;
        a.Out3Shape = Arc;
        a.Out2Points = {QPoint(0, 5)};
        const AreaRecord before = a;
        dock->data.CurrentArea = 9;
        dock->controls->EditControlUpdateEditData();
        QCOMPARE(dock->openDelay->currentIndex(), 3);
        QCOMPARE(dock->closeDelay->currentIndex(), 4);
        QCOMPARE(dock->hysteresis->currentIndex(), 5);
        QCOMPARE(dock->detectionSize->currentIndex(), 6);
        QCOMPARE(dock->steerMin->value(), -170);
        QCOMPARE(dock->steerMax->value(), 170);
        QCOMPARE(dock->speedMin->value(), -250);
        QCOMPARE(dock->speedMax->value(), 250);
        QCOMPARE(dock->optionMode->currentIndex(), 2);
        QCOMPARE(checks(0), QVector<bool>({true, false, false, false, false, false}));
        QCOMPARE(checks(1), QVector<bool>({false, false, false, false, false, true}));
        QCOMPARE(checks(2), QVector<bool>({false, true, false, false, false, false}));
        QVERIFY(dock->data.Areas[9] == before);
        QCOMPARE(para->count() + shape->count(), 0);

        // A CurrentArea above 63 (monitoring input) means area 63.
        dock->data.CurrentArea = 200;
        dock->data.Areas[63].OpenDelay = 7;
        dock->controls->EditControlUpdateEditData();
        QCOMPARE(dock->openDelay->currentIndex(), 7);
        QCOMPARE(dock->data.CurrentArea, 63);
    }
};

QTEST_MAIN(TstEditControl)
#include "tst_edit_control.moc"
