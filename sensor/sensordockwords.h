#pragma once

#include "sensordockstate.h"
#include "sensorparameters.h"

// Between the scanner's 25 parameter words and the sensor dock's 27 rows as a
// project file keeps them, without widgets: for tools that take a scanner's
// block into a file or a file's rows to a scanner. Every word is carried on
// any link, so a file holds all that the scanner reported.
namespace SensorDockWords {

// The row of each word: words 0..17 are rows 0..17, the two address words
// fill rows 18..21 (one octet each), words 20..24 are rows 22..26.
constexpr int IpFirstRow = 18;

// The dock's corrections of a block from a scanner, made in the block itself:
// motor speed, filter level and install direction out of their lists become
// 0, an angular resolution above 4 becomes 1, dirt-filter words above 2000
// their defaults.
void correctWords(SensorParameters &params);

// The rows the dock shows for a block: its corrections, and bus addresses
// clamped to 1..127 as their fields show them.
SensorDockState rowsOfWords(const SensorParameters &params);

// The block for the rows, starting from base: a list row of -1 (no item)
// keeps base's word; the finest angular resolution forces the slower motor
// speed, as the dock does.
SensorParameters wordsOfRows(const SensorDockState &rows, const SensorParameters &base);

} // namespace SensorDockWords
