#pragma once

#include "configdiff.h"
#include "configuration.h"
#include "sensorparameters.h"

#include <QVector>

// The project beside what a scanner holds, without widgets: which part of
// the configuration a difference belongs to, what a write of only the
// differing parts sends, and what taking a part from the scanner changes.
namespace ScannerComparison {

// The configuration a read-all of a scanner gives: its words as reported
// and shown by the sensor dock's rows, its areas; no range class.
Configuration scannerConfiguration(const SensorParameters &words, const QVector<AreaRecord> &areas);

// The three parts a difference belongs to, in the order they are listed.
enum class Part { Parameters, CaseTable, Areas, None };
Part partOf(const Difference &difference);

// The areas any difference names (case rows included), ascending, each once.
QVector<int> differingAreas(const QVector<Difference> &differences);

// What goes to the scanner so that it holds the project: the areas whose
// WArea frame differs from the one the scanner's own area gives, then the
// case table and the parameter block when their frames differ. Frames are
// compared as sent: the project's zones mirrored when the link writes
// reversed, the scanner's with its own direction, so a changed install
// direction sends every zone it turns.
struct WritePlan
{
    QVector<int> areas;
    bool caseTable = false;
    bool parameters = false;
    bool isEmpty() const { return areas.isEmpty() && !caseTable && !parameters; }
};
WritePlan planWrite(const QVector<AreaRecord> &projectAreas, const SensorParameters &projectWords, bool writeReversed,
                    const Configuration &scanner);

// The scanner's area as WArea carries it (switching parameters, kinds and
// points) into the project's area; its case row stays. True when it changed.
bool takeArea(AreaRecord &project, const AreaRecord &scanner);
// The scanner's case rows into the project; the areas whose row changed.
QVector<int> takeCaseTable(QVector<AreaRecord> &project, const QVector<AreaRecord> &scanner);

} // namespace ScannerComparison
