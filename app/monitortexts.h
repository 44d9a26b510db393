#pragma once

#include <QString>

// Texts of the scanner's live status as the main window shows them, by the
// window's language flag (0 Chinese, 1 English).
namespace MonitorTexts {
// The fault bits' texts run together in ascending bit order; 0 is "normal".
QString status(uint status, int languageFlag);
// Self-check values: hundredths with two decimals and their unit.
QString temperature(short hundredths);
QString rotateSpeed(ushort rpm);
QString voltage(ushort hundredths);
QString installDirection(bool reversed, int languageFlag);
} // namespace MonitorTexts
