#pragma once

#include <QtGlobal>
#include <array>

// The scanner's 25 parameter words as the settings dock shows them. Owned by
// the main window, shared with the link (read by WPara, replaced by RPara).
struct SensorParameters
{
    static constexpr int WordCount = 25;
    static constexpr int InstallDirectionWord = 14; // non-zero: mounted reversed

    std::array<qint32, WordCount> Words{};

    bool operator==(const SensorParameters &o) const { return Words == o.Words; }
    bool operator!=(const SensorParameters &o) const { return !(*this == o); }
};
