#pragma once

#include "configuration.h"

#include <QString>

// The scanner's parameters as the sensor dock names and shows them, in the
// link's language numbering (0 English, 1 Chinese).

// The parameter name of a sensor dock row as the dock labels it.
QString parameterName(int row, int language);
// A row's value as the dock shows it: the item text of a list the dock
// translates, the address as a.b.c.d for the first address row, else the number.
QString parameterValue(const Configuration &config, int row, int language);
// The rows that name a parameter of their own: every row but the last three
// address octets, which the first address row shows with it.
bool isParameterRow(int row);
