#include "coordsection.h"

#include <QStringList>
#include <QTextStream>

namespace {

const QString kSectionStart = QStringLiteral("CoordTableData");
const QString kSectionEnd = QStringLiteral("CoordTableDataEnd");

QString blockStart(int output) { return QStringLiteral("Out%1CoordStr").arg(output + 1); }
QString blockEnd(int output) { return QStringLiteral("Out%1CoordEnd").arg(output + 1); }

int toNumber(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

QPoint toPoint(const QString &line)
{
    const QStringList fields = line.split(QLatin1Char(','));
    return QPoint(toNumber(fields.value(0)), toNumber(fields.value(1)));
}

// Reads lines up to and including one equal to marker; false if the stream
// ended first.
bool skipTo(QTextStream &in, const QString &marker)
{
    while (!in.atEnd()) {
        if (in.readLine() == marker)
            return true;
    }
    return false;
}

void readBlock(QTextStream &in, int output, QVector<QPoint> &points)
{
    if (!skipTo(in, blockStart(output)))
        return;
    const QString end = blockEnd(output);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        // A line the stream ends on is cut short: it ends the block unused.
        if (in.atEnd() || line == end)
            return;
        points.append(toPoint(line));
    }
}

bool validShape(int output, int kind)
{
    return kind >= 0 && kind <= (output == 0 ? 2 : 5);
}

} // namespace

void writeCoordSection(QTextStream &out, const EditData &data)
{
    out << kSectionStart << '\n';
    for (int i = 0; i < EditData::AreaCount && i < data.Areas.size(); ++i) {
        const AreaRecord &a = data.Areas.at(i);
        out << i << '\n';
        const qint32 fields[] = {a.OpenDelay,       a.CloseDelay,      a.Hysteresis,        a.DetectionSize,
                                 a.SteerMinDgree,   a.SteerMaxDgree,   a.VehicleMinSpeed,   a.VehicleMaxSpeed,
                                 a.VehicleOptionMode, a.Out1Shape,     a.Out2Shape,         a.Out3Shape};
        for (qint32 value : fields)
            out << value << '\n';
        for (int output = 0; output < EditData::OutputCount; ++output) {
            out << blockStart(output) << '\n';
            for (const QPoint &p : a.points(output))
                out << p.x() << ',' << p.y() << '\n';
            out << blockEnd(output) << '\n';
        }
    }
    out << kSectionEnd << '\n';
    out.flush();
}

void readCoordSection(QTextStream &in, EditData &data)
{
    if (!skipTo(in, kSectionStart))
        return;
    int index = toNumber(in.readLine());
    while (index >= 0 && index < EditData::AreaCount && !in.atEnd()) {
        AreaRecord &area = data.Areas[index];
        area.Out1Points.clear();
        area.Out2Points.clear();
        area.Out3Points.clear();

        area.OpenDelay = toNumber(in.readLine());
        area.CloseDelay = toNumber(in.readLine());
        area.Hysteresis = toNumber(in.readLine());
        area.DetectionSize = toNumber(in.readLine());
        area.SteerMinDgree = toNumber(in.readLine());
        area.SteerMaxDgree = toNumber(in.readLine());
        area.VehicleMinSpeed = toNumber(in.readLine());
        area.VehicleMaxSpeed = toNumber(in.readLine());
        area.VehicleOptionMode = toNumber(in.readLine());
        int kinds[EditData::OutputCount];
        for (int &kind : kinds)
            kind = toNumber(in.readLine());

        for (int output = 0; output < EditData::OutputCount; ++output)
            readBlock(in, output, area.points(output));

        const QString next = in.readLine();
        // Kinds a file may not give an output leave the output's kind alone.
        for (int output = 0; output < EditData::OutputCount; ++output) {
            if (validShape(output, kinds[output]))
                area.shape(output) = kinds[output];
        }
        if (next == kSectionEnd || in.atEnd())
            return;
        index = toNumber(next);
    }
}
