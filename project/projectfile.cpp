#include "projectfile.h"

#include "coordsection.h"
#include "projectfilekind.h"
#include "sensorsection.h"

#include <QDate>
#include <QTextStream>

void writeProjectFile(QTextStream &out, int deviceClass, const SensorDockState &sensors, const EditData &data,
                      const QDate &savedOn)
{
    out << projectFileKind(deviceClass).typeLine << '\n';
    writeSensorSection(out, sensors);
    writeCoordSection(out, data);
    out << "ZTL_LASER_VQ_INFORMATION\n";
    out << savedOn.toString(QStringLiteral("yyyy-MM-dd")) << '\n';
    // Fixed: it is not the version the about box shows.
    out << "SOFTWARE VERSION 1.5.1\n";
    out.flush();
}

int readProjectTypeLine(QTextStream &in) { return deviceClassOfTypeLine(in.readLine()); }

void readProjectBody(QTextStream &in, SensorDockState &sensors, EditData &data)
{
    sensors = readSensorSection(in);
    readCoordSection(in, data);
}

int readProjectFile(QTextStream &in, SensorDockState &sensors, EditData &data)
{
    const int deviceClass = readProjectTypeLine(in);
    if (deviceClass >= 0)
        readProjectBody(in, sensors, data);
    return deviceClass;
}
