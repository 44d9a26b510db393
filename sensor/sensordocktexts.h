#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The sensor dock's texts in both languages. Labels and titles are found by
// object name; item lists belong to one option list each. Lists whose items
// read the same in both languages, or that depend on the connected scanner,
// are absent: their items are never retranslated.
namespace SensorDockTexts {

struct Text
{
    const char *objectName;
    QString chinese;
    QString english;
};

struct Items
{
    const char *objectName;
    QStringList chinese;
    QStringList english; // may be shorter: the remaining items keep their text
};

const std::vector<Text> &titles();     // the dock and its group box
const std::vector<Text> &labels();     // one per row, the four IP fields share one
const std::vector<Items> &itemLists(); // the 27 rows and the "Scan Setting" group

} // namespace SensorDockTexts
