#include "sensorsection.h"

#include <QString>
#include <QTextStream>

namespace {
const QString kMarker = QStringLiteral("SensorSetting");
} // namespace

void writeSensorSection(QTextStream &out, const SensorDockState &state)
{
    out << kMarker << '\n';
    for (qint32 value : state)
        out << value << '\n';
}

SensorDockState readSensorSection(QTextStream &in)
{
    SensorDockState state{};
    bool found = false;
    while (!found && !in.atEnd())
        found = in.readLine() == kMarker;
    for (qint32 &value : state) {
        bool ok = false;
        // readLine() at the end of the stream gives an empty string: 0.
        value = in.readLine().toInt(&ok, 10);
        if (!ok)
            value = 0;
    }
    return state;
}
