#pragma once

// Helpers shared by the link's fuzz targets.

#include "crc16.h"
#include "frames.h"

#include <QByteArray>
#include <QCoreApplication>
#include <cstdlib>

// Qt objects with timers need an application object; fuzz drivers have none.
inline void ensureCoreApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv); // lives until the process ends
}

// A broken invariant is a crash the fuzzer must report.
#define FUZZ_CHECK(cond)                                                                                     \
    do {                                                                                                     \
        if (!(cond))                                                                                         \
            std::abort();                                                                                    \
    } while (0)

// Writes a valid CRC into every complete reply (or request, when requests is
// set) found in data, so random input also reaches the decoders behind the
// CRC check.
inline void fixCrcs(QByteArray &data, bool requests)
{
    for (int at = 0; at + kHeaderLength <= data.size(); ++at) {
        const char first = data.at(at);
        if (first != 'R' && first != 'W' && first != 'S')
            continue;
        const std::optional<Command> c = commandAt(data.constData() + at, data.size() - at);
        if (!c || *c == Command::Hisn)
            continue;
        const CommandInfo &info = commandInfo(*c);
        const int length = requests ? info.requestLength : info.replyLength;
        const bool crc = requests ? true : info.replyHasCrc;
        if (length <= 0 || !crc || at + length > data.size())
            continue;
        QByteArray frame = data.mid(at, length);
        storeCrc(frame);
        data.replace(at, length, frame);
    }
}
