#pragma once

#include <QtGlobal>
#include <array>

// The scanner's 25 parameter words as the settings dock shows them. Owned by
// the main window, shared with the link (read by WPara, replaced by RPara).
struct SensorParameters
{
    static constexpr int WordCount = 25;
    static constexpr int InstallDirectionWord = 14; // non-zero: mounted reversed

    static constexpr int IpHighWord = 18; // first two octets, first in the high byte
    static constexpr int IpLowWord = 19;
    // The scanner's factory address, also what the settings form starts with.
    static constexpr quint8 FactoryIp[4] = {192, 168, 1, 10};

    std::array<qint32, WordCount> Words{};

    // The block a new project and a fresh scanner start with.
    static SensorParameters defaults()
    {
        SensorParameters p;
        p.Words = {0, 0, 0, 0, 127, 0, 0, 0, 127, 0, 0, 1, 1, 0, 0, 2, 2, 0,
                   (FactoryIp[0] << 8) | FactoryIp[1], (FactoryIp[2] << 8) | FactoryIp[3], 0, 1, 1, 200, 500};
        return p;
    }

    bool operator==(const SensorParameters &o) const { return Words == o.Words; }
    bool operator!=(const SensorParameters &o) const { return !(*this == o); }
};
