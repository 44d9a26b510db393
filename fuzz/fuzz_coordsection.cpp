// Feeds arbitrary bytes to the coordinate-section reader. Whatever it reads
// must survive a write and a second read unchanged: the writer's output is the
// reader's canonical form.
#include "coordsection.h"
#include "editdata.h"

#include <QByteArray>
#include <QIODevice>
#include <QTextStream>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(bytes), int(size));
    EditData first;
    {
        QTextStream in(input);
        readCoordSection(in, first);
    }

    QByteArray written;
    {
        QTextStream out(&written, QIODevice::WriteOnly);
        writeCoordSection(out, first);
    }
    EditData second;
    {
        QTextStream in(written);
        readCoordSection(in, second);
    }
    if (first.Areas != second.Areas)
        std::abort();
    return 0;
}
