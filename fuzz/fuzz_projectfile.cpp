// Feeds arbitrary bytes to the whole project-file reader. Whatever it reads
// must survive a write and a second read unchanged; a foreign type line must
// leave everything as it was.
#include "editdata.h"
#include "projectfile.h"

#include <QByteArray>
#include <QIODevice>
#include <QDate>
#include <QTextStream>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(bytes), int(size));
    SensorDockState sensors;
    sensors.fill(-7);
    EditData first;
    int deviceClass;
    {
        QTextStream in(input);
        deviceClass = readProjectFile(in, sensors, first);
    }
    if (deviceClass < 0) {
        for (qint32 value : sensors)
            if (value != -7)
                std::abort();
        if (first.Areas != EditData().Areas)
            std::abort();
        return 0;
    }

    QByteArray written;
    {
        QTextStream out(&written, QIODevice::WriteOnly);
        writeProjectFile(out, deviceClass, sensors, first, QDate(2024, 8, 21));
    }
    SensorDockState sensorsAgain{};
    EditData second;
    {
        QTextStream in(written);
        if (readProjectFile(in, sensorsAgain, second) != deviceClass)
            std::abort();
    }
    if (sensorsAgain != sensors || first.Areas != second.Areas)
        std::abort();
    return 0;
}
