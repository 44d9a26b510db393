#include "editdock.h"
#include "polar.h"

#include <QSignalSpy>

class TstCoordTable : public QObject
{
    Q_OBJECT

    std::unique_ptr<EditDock> dock;
    std::unique_ptr<QSignalSpy> edits;

    AreaRecord &area() { return dock->data.currentArea(); }
    QStringList rowText(QTableWidget *t, int row)
    {
        return {t->item(row, 0)->text(), t->item(row, 1)->text(), t->item(row, 2)->text()};
    }

private slots:
    void init()
    {
        dock.reset(new EditDock);
        dock->coords.reset(new COORD_TABLE(&dock->data, dock->cartesian[0], dock->cartesian[1], dock->cartesian[2],
                                           dock->polar[0], dock->polar[1], dock->polar[2]));
        edits.reset(new QSignalSpy(dock->coords.get(), &COORD_TABLE::CoordTableEditSignal));
        QVERIFY(dock->show());
    }
    void cleanup()
    {
        edits.reset();
        dock.reset();
    }

    void layoutAndRefill()
    {
        QTableWidget *t = dock->cartesian[0];
        QCOMPARE(t->rowCount(), 1);
        QCOMPARE(rowText(t, 0), QStringList({"1", "0", "0"}));
        QCOMPARE(t->horizontalHeaderItem(1)->text(), QString("X坐标[mm]"));
        dock->coords->SetHeaderLanguage(1);
        QCOMPARE(dock->polar[2]->horizontalHeaderItem(2)->text(), QString("Th [deg]"));

        area().Out1Points = {QPoint(1000, 1000), QPoint(0, -500), QPoint(-1000, -1)};
        area().Out2Shape = Arc;
        area().Out2Points = {QPoint(3000, 0), QPoint(0, 3000)};
        dock->coords->CoordTableWidgeUpdate();
        QCOMPARE(edits->count(), 0); // a refill is not an edit
        QCOMPARE(t->rowCount(), 4);  // polygon: points plus the entry row
        QCOMPARE(rowText(t, 0), QStringList({"1", "1000", "1000"}));
        QCOMPARE(rowText(t, 3), QStringList({"4", "0", "0"}));
        QCOMPARE(rowText(dock->polar[0], 0), QStringList({"1", "1414.21", "45"}));
        QCOMPARE(rowText(dock->polar[0], 1), QStringList({"2", "500", "-90"}));
        QCOMPARE(rowText(dock->polar[0], 2), QStringList({"3", "1000", "180.057"}));
        QCOMPARE(dock->cartesian[1]->rowCount(), 2); // no entry row for an arc
        QCOMPARE(dock->polar[1]->rowCount(), 2);
    }

    void numberEntryRounding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stored");
        QTest::newRow("12.5") << "12.5" << 13;
        QTest::newRow("-12.5") << "-12.5" << -12;
        QTest::newRow("2.49") << "2.49" << 2;
        QTest::newRow("-2.7") << "-2.7" << -2;
        QTest::newRow("not a number") << "abc" << 0;
        QTest::newRow("huge") << "1e20" << 2147483647;
        QTest::newRow("infinite") << "inf" << 0;
    }
    void numberEntryRounding()
    {
        QFETCH(QString, text);
        QFETCH(int, stored);
        area().Out1Points = {QPoint(7, 7)};
        dock->coords->CoordTableWidgeUpdate();
        QVERIFY(EditDock::editCell(dock->cartesian[0], 0, 1, text));
        QCOMPARE(area().Out1Points.first(), QPoint(stored, 7));
        QCOMPARE(edits->count(), 1);
        QCOMPARE(dock->cartesian[0]->item(0, 1)->text(), QString::number(stored));
    }

    void entryRowAddsVertices()
    {
        dock->coords->CoordTableWidgeUpdate();
        QTableWidget *t = dock->cartesian[1];
        QVERIFY(EditDock::editCell(t, 0, 1, "0"));
        QVERIFY(area().Out2Points.isEmpty());
        QCOMPARE(rowText(t, 0), QStringList({"1", "0", "0"}));
        QVERIFY(EditDock::editCell(t, 0, 2, "350"));
        QCOMPARE(area().Out2Points, QVector<QPoint>({QPoint(0, 350)}));
        QCOMPARE(t->rowCount(), 2);
        QCOMPARE(rowText(t, 1), QStringList({"2", "0", "0"}));
        QVERIFY(EditDock::editCell(t, 1, 0, "5")); // the number column appends the origin
        QCOMPARE(area().Out2Points.last(), QPoint(0, 0));

        // Polar entry row: an angle makes a vertex 20 mm out, a distance one on +x.
        QTableWidget *p = dock->polar[2];
        QVERIFY(EditDock::editCell(p, 0, 2, "45"));
        QCOMPARE(area().Out3Points, QVector<QPoint>({QPoint(14, 14)}));
        QVERIFY(EditDock::editCell(p, 1, 1, "123.9"));
        QCOMPARE(area().Out3Points.last(), QPoint(123, 0));
        QVERIFY(EditDock::editCell(p, 2, 0, "9"));
        QCOMPARE(area().Out3Points.size(), 2);
        // The cartesian twin of an edited polar table follows.
        QCOMPARE(dock->cartesian[2]->rowCount(), 3);
        QCOMPARE(rowText(dock->cartesian[2], 1), QStringList({"2", "123", "0"}));
        QCOMPARE(edits->count(), 5); // retyping the unchanged "0" is no item change at all
    }

    void polarPointEditTruncates()
    {
        area().Out1Points = {QPoint(1000, 1000)};
        dock->coords->CoordTableWidgeUpdate();
        QVERIFY(EditDock::editCell(dock->polar[0], 0, 2, "90"));
        QCOMPARE(area().Out1Points.first(), fromPolar(toPolar(QPoint(1000, 1000)).distance, 90 * kDegToRad));
        QCOMPARE(area().Out1Points.first().x(), 0);
        QVERIFY(EditDock::editCell(dock->polar[0], 0, 1, "100"));
        QCOMPARE(area().Out1Points.first(), QPoint(0, 100));
    }

    void arcEndsShareTheEditedDistance()
    {
        area().Out1Shape = Arc;
        area().Out1Points = {QPoint(1000, 1000), QPoint(0, 2000)};
        dock->coords->CoordTableWidgeUpdate();
        QVERIFY(EditDock::editCell(dock->polar[0], 1, 1, "5000"));
        const QPoint end1 = area().Out1Points.at(1);
        QCOMPARE(end1, QPoint(0, 5000));
        const QPoint end0 = area().Out1Points.at(0);
        QCOMPARE(end0, fromPolar(toPolar(end1).distance, toPolar(QPoint(1000, 1000)).angle));
        QCOMPARE(dock->cartesian[0]->item(0, 1)->text(), QString::number(end0.x()));
        // An arc has no entry row: nothing can be appended to it.
        QCOMPARE(dock->polar[0]->rowCount(), 2);
    }

    void rectangleNeighboursFollow()
    {
        area().Out2Shape = Rectangle;
        area().Out2Points = {QPoint(-100, 100), QPoint(-100, 300), QPoint(200, 300), QPoint(200, 100)};
        dock->coords->CoordTableWidgeUpdate();
        QVERIFY(EditDock::editCell(dock->cartesian[1], 2, 1, "800"));
        QVERIFY(EditDock::editCell(dock->cartesian[1], 2, 2, "600"));
        QCOMPARE(area().Out2Points, QVector<QPoint>({QPoint(-100, 100), QPoint(-100, 600), QPoint(800, 600),
                                                     QPoint(800, 100)}));
        QVERIFY(EditDock::editCell(dock->cartesian[1], 0, 2, "50"));
        QCOMPARE(area().Out2Points.at(3), QPoint(800, 50));
        QCOMPARE(area().Out2Points.at(1), QPoint(-100, 600));
    }

    void dependentPointStaysOnTheForwardAxis()
    {
        area().Out2Shape = Fan;
        area().Out2Points = {QPoint(0, 20)};
        area().Out3Shape = Straight;
        area().Out3Points = {QPoint(33, 40)}; // off the axis, e.g. from a file
        dock->coords->CoordTableWidgeUpdate();
        QVERIFY(EditDock::editCell(dock->cartesian[1], 0, 1, "55"));
        QCOMPARE(area().Out2Points, QVector<QPoint>({QPoint(0, 20)}));
        QCOMPARE(area().Out3Points, QVector<QPoint>({QPoint(0, 40)})); // both outputs are put back
        QVERIFY(EditDock::editCell(dock->polar[1], 0, 1, "4000"));
        QCOMPARE(area().Out2Points, QVector<QPoint>({QPoint(0, 4000)}));
    }

    void deleteKey()
    {
        area().Out1Points = {QPoint(1, 1), QPoint(2, 2), QPoint(3, 3)};
        area().Out2Shape = Rectangle;
        area().Out2Points = QVector<QPoint>(4, QPoint(20, 0));
        area().Out3Shape = Straight;
        area().Out3Points = {QPoint(0, 20)};
        dock->coords->CoordTableWidgeUpdate();

        QTableWidget *t = dock->polar[0];
        EditDock::clickRow(t, 1);
        QTest::keyClick(t, Qt::Key_Delete);
        QCOMPARE(area().Out1Points, QVector<QPoint>({QPoint(1, 1), QPoint(3, 3)}));
        QCOMPARE(edits->count(), 1);
        QCOMPARE(dock->cartesian[0]->rowCount(), 3);

        // The entry row holds no point.
        EditDock::clickRow(t, 2);
        QTest::keyClick(t, Qt::Key_Delete);
        QCOMPARE(area().Out1Points.size(), 2);
        QCOMPARE(edits->count(), 1);

        // Rectangles and dependent forms keep their points.
        for (QTableWidget *other : {dock->cartesian[1], dock->polar[2]}) {
            EditDock::clickRow(other, 0);
            QTest::keyClick(other, Qt::Key_Delete);
        }
        QCOMPARE(area().Out2Points.size(), 4);
        QCOMPARE(area().Out3Points.size(), 1);
        QCOMPARE(edits->count(), 1);

        // Other keys are swallowed: no navigation, no typing into cells.
        EditDock::clickRow(t, 0);
        QTest::keyClick(t, Qt::Key_Down);
        QTest::keyClick(t, Qt::Key_F2);
        QCOMPARE(t->currentRow(), 0);
        QVERIFY(!qobject_cast<QLineEdit *>(QApplication::focusWidget()));
    }
};

QTEST_MAIN(TstCoordTable)
#include "tst_coord_table.moc"
