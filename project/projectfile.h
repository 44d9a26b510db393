#pragma once

#include "editdata.h"
#include "sensordockstate.h"

class QDate;
class QTextStream;

// A whole project file over a text stream: the type line of the device class,
// the "SensorSetting" section, the coordinate section and an information
// trailer that no reader looks at. Lines end in '\n'; a file device opened in
// text mode turns that into the platform's line end, and readLine() takes
// "\n" and "\r\n" alike.

// Writes the file; savedOn becomes the trailer's "yyyy-MM-dd" line. An invalid
// device class writes an empty type line.
void writeProjectFile(QTextStream &out, int deviceClass, const SensorDockState &sensors, const EditData &data,
                      const QDate &savedOn);

// Reads the first line and returns the device class it names, or -1 when it
// names none.
int readProjectTypeLine(QTextStream &in);

// Reads what follows the type line: the sensor section into sensors (every
// one of the 27 states is set, missing ones to 0), then the coordinate
// section into data.Areas (areas the file does not name keep their content).
void readProjectBody(QTextStream &in, SensorDockState &sensors, EditData &data);

// The whole reader, for callers that take a file of any class: returns the
// file's device class, or -1 for a foreign type line, in which case nothing
// else is read and sensors and data are left alone.
int readProjectFile(QTextStream &in, SensorDockState &sensors, EditData &data);
