#include "areahistory.h"

#include <QTest>

class TstAreaHistory : public QObject
{
    Q_OBJECT

    // One distinguishable edit of area a: its on delay counts the edits.
    static void edit(EditData &d, int a, int n)
    {
        d.Areas[a].OpenDelay = n;
        d.Areas[a].Out1Points.append(QPoint(n, -n));
    }

private slots:
    void startsWithOneBlankSnapshot()
    {
        EditData d;
        AreaHistory h(&d);
        QVERIFY(!h.canUndo(0));
        QVERIFY(!h.canRedo(0));
        edit(d, 0, 1);
        h.save(0);
        QCOMPARE(d.UndoHistory[0].size(), 2);
        QVERIFY(h.undo(0));
        QVERIFY(d.Areas[0] == d.BlankArea); // the first edit can be undone back to blank
        QVERIFY(h.redo(0));
        QCOMPARE(d.Areas[0].OpenDelay, 1);
    }

    void historyKeepsAtMostOneHundredSnapshots()
    {
        EditData d;
        AreaHistory h(&d);
        for (int n = 1; n <= 150; ++n) {
            edit(d, 7, n);
            h.save(7);
        }
        QCOMPARE(d.UndoHistory[7].size(), 100);
        QCOMPARE(d.UndoIndex[7], 99);
        for (int k = 0; k < 99; ++k)
            QVERIFY(h.undo(7));
        QCOMPARE(d.Areas[7].OpenDelay, 51); // oldest kept state
        QCOMPARE(d.Areas[7].Out1Points.size(), 51);
        d.Modified = false;
        QVERIFY(!h.undo(7)); // the 100th undo changes nothing...
        QCOMPARE(d.Areas[7].OpenDelay, 51);
        QVERIFY(d.Modified); // ...yet marks the project modified
        // Redo walks all the way forward again.
        for (int k = 0; k < 99; ++k)
            QVERIFY(h.redo(7));
        QCOMPARE(d.Areas[7].OpenDelay, 150);
        d.Modified = false;
        QVERIFY(!h.redo(7));
        QVERIFY(d.Modified);
        // Other areas are untouched by all of this.
        QCOMPARE(d.UndoHistory[6].size(), 1);
        QVERIFY(d.Areas[6] == d.BlankArea);
    }

    void editAfterUndoDiscardsRedoTail()
    {
        EditData d;
        AreaHistory h(&d);
        for (int n = 1; n <= 4; ++n) {
            edit(d, 2, n);
            h.save(2);
        }
        h.undo(2);
        h.undo(2);
        QCOMPARE(d.Areas[2].OpenDelay, 2);
        edit(d, 2, 9);
        h.save(2);
        QVERIFY(!h.canRedo(2));
        QCOMPARE(d.UndoHistory[2].size(), 4); // blank, 1, 2, 9
        QVERIFY(h.undo(2));
        QCOMPARE(d.Areas[2].OpenDelay, 2);
    }

    void fullHistoryAfterUndoDropsTailBeforeOldest()
    {
        EditData d;
        AreaHistory h(&d);
        for (int n = 1; n <= 120; ++n) {
            edit(d, 0, n);
            h.save(0);
        }
        h.undo(0);
        edit(d, 0, 500);
        h.save(0);
        // The tail went first, so nothing old had to be dropped.
        QCOMPARE(d.UndoHistory[0].size(), 100);
        QCOMPARE(d.UndoHistory[0].first().OpenDelay, 21);
        QCOMPARE(d.UndoHistory[0].at(98).OpenDelay, 119);
        QCOMPARE(d.UndoHistory[0].last().OpenDelay, 500);
    }

    // One operation over areas 2 and 5 (current area 0 with it) is one step
    // from any of them; an area edited since keeps that edit; a step id is
    // not reused while a mark of it remains.
    void linkedStepIsUndoneAndRedoneAsOne()
    {
        EditData d;
        AreaHistory h(&d);
        edit(d, 5, 1);
        h.save(5);
        edit(d, 2, 2);
        edit(d, 5, 3);
        const quint32 step = h.saveLinked({2, 5, 0, 5});
        QCOMPARE(h.undoStep(0), step);
        QCOMPARE(d.UndoHistory[5].size(), 3); // named twice, one snapshot
        QVERIFY(h.undo(0));
        QVERIFY(d.Areas[2] == d.BlankArea);
        QCOMPARE(d.Areas[5].OpenDelay, 1);
        QCOMPARE(h.redoStep(2), step);
        QVERIFY(h.redo(2));
        QCOMPARE(d.Areas[2].OpenDelay, 2);
        QCOMPARE(d.Areas[5].OpenDelay, 3);
        edit(d, 2, 4);
        h.save(2);
        QVERIFY(h.undo(5));
        QCOMPARE(d.Areas[5].OpenDelay, 1);
        QCOMPARE(d.Areas[2].OpenDelay, 4);
        QVERIFY(h.saveLinked({7}) > step);
        // A history filled by other means counts as edits of its area alone.
        d.UndoHistory[9].append(d.Areas[9]);
        d.UndoIndex[9] = 1;
        QCOMPARE(h.undoStep(9), 0u);
        QVERIFY(h.undo(9));
    }

    // Only an edit no snapshot took gets one, measured where the history
    // stands (after an undo, not at its end).
    void saveUnrecordedTakesOnlyWhatIsNotThere()
    {
        EditData d;
        AreaHistory h(&d);
        h.saveUnrecorded(0); // blank, as recorded
        QCOMPARE(d.UndoHistory[0].size(), 1);
        edit(d, 0, 1); // a paste
        h.saveUnrecorded(0);
        h.saveUnrecorded(0);
        QCOMPARE(d.UndoHistory[0].size(), 2);
        QVERIFY(h.undo(0));
        h.saveUnrecorded(0); // back at the blank snapshot: the redo tail stays
        QVERIFY(h.canRedo(0));
    }

    void saveAllAndOutOfRangeInput()
    {
        EditData d;
        AreaHistory h(&d);
        for (int a = 0; a < 64; ++a)
            edit(d, a, a);
        h.saveAll();
        for (int a = 0; a < 64; ++a) {
            QCOMPARE(d.UndoIndex[a], 1);
            QVERIFY(d.UndoHistory[a].last() == d.Areas[a]);
        }
        // A damaged index or an area above 63 stays inside the lists.
        d.UndoIndex[63] = 1000;
        QVERIFY(h.undo(200));
        QVERIFY(d.Areas[63] == d.BlankArea);
        d.UndoIndex[5] = -3;
        QVERIFY(!h.undo(5));
        h.save(5);
        QCOMPARE(d.UndoHistory[5].size(), 2);
    }
};

QTEST_GUILESS_MAIN(TstAreaHistory)
#include "tst_areahistory.moc"
