#include "scannercomparison.h"

#include "areaframe.h"
#include "frames.h"
#include "sensordockwords.h"

#include <algorithm>

namespace ScannerComparison {

Configuration scannerConfiguration(const SensorParameters &words, const QVector<AreaRecord> &areas)
{
    Configuration config;
    config.deviceClass = -1;
    config.rows = SensorDockWords::rowsOfWords(words);
    config.words = words;
    config.areas = areas;
    config.areas.resize(EditData::AreaCount);
    return config;
}

Part partOf(const Difference &difference)
{
    switch (difference.kind) {
    case Difference::Parameter:
        return Part::Parameters;
    case Difference::CaseField:
        return Part::CaseTable;
    case Difference::AreaField:
    case Difference::OutputKind:
    case Difference::PointCount:
    case Difference::PointMoved:
        return Part::Areas;
    case Difference::DeviceClass:
        break;
    }
    return Part::None;
}

QVector<int> differingAreas(const QVector<Difference> &differences)
{
    QVector<int> areas;
    for (const Difference &d : differences)
        if (d.area >= 0 && !areas.contains(d.area))
            areas.append(d.area);
    std::sort(areas.begin(), areas.end());
    return areas;
}

WritePlan planWrite(const QVector<AreaRecord> &projectAreas, const SensorParameters &projectWords, bool writeReversed,
                    const Configuration &scanner)
{
    WritePlan plan;
    const bool scannerReversed = scanner.reversed();
    for (int i = 0; i < EditData::AreaCount; ++i) {
        const AreaEncodeResult sent = encodeAreaBlock(Command::WArea, i, projectAreas.value(i), writeReversed);
        const AreaEncodeResult held = encodeAreaBlock(Command::WArea, i, scanner.areas.value(i), scannerReversed);
        // An area the link refuses is planned all the same: the write then
        // says why, rather than pass over it in silence.
        if (!sent.ok() || sent.frame != held.frame)
            plan.areas.append(i);
    }
    plan.caseTable = caseTableOf(projectAreas) != caseTableOf(scanner.areas);
    const SensorParameters held = scanner.words ? *scanner.words
                                                : SensorDockWords::wordsOfRows(scanner.rows, SensorParameters::defaults());
    plan.parameters = encodeParameterBlock(Command::WPara, projectWords) != encodeParameterBlock(Command::WPara, held);
    return plan;
}

bool takeArea(AreaRecord &project, const AreaRecord &scanner)
{
    AreaRecord taken = scanner;
    taken.SteerMinDgree = project.SteerMinDgree;
    taken.SteerMaxDgree = project.SteerMaxDgree;
    taken.VehicleMinSpeed = project.VehicleMinSpeed;
    taken.VehicleMaxSpeed = project.VehicleMaxSpeed;
    taken.VehicleOptionMode = project.VehicleOptionMode;
    if (taken == project)
        return false;
    project = taken;
    return true;
}

QVector<int> takeCaseTable(QVector<AreaRecord> &project, const QVector<AreaRecord> &scanner)
{
    QVector<int> changed;
    for (int i = 0; i < project.size(); ++i) {
        AreaRecord &p = project[i];
        const AreaRecord before = p;
        const AreaRecord s = scanner.value(i, before);
        p.SteerMinDgree = s.SteerMinDgree;
        p.SteerMaxDgree = s.SteerMaxDgree;
        p.VehicleMinSpeed = s.VehicleMinSpeed;
        p.VehicleMaxSpeed = s.VehicleMaxSpeed;
        p.VehicleOptionMode = s.VehicleOptionMode;
        if (p != before)
            changed.append(i);
    }
    return changed;
}

} // namespace ScannerComparison
