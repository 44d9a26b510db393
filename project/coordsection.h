#pragma once

#include "editdata.h"

class QTextStream;

// The coordinate section of a project file: all per-area data between the
// lines "CoordTableData" and "CoordTableDataEnd".

// Writes the section for all 64 areas, one value per line.
void writeCoordSection(QTextStream &out, const EditData &data);

// Reads a section from the stream's current position into data.Areas. Damaged
// input never fails loudly: a missing start marker consumes the stream and
// changes nothing, a missing block marker consumes lines up to it or to the
// end, an area index outside 0..63 ends the reading, and areas read before the
// fault keep their new content. Text that is not a number reads as 0.
void readCoordSection(QTextStream &in, EditData &data);
