#pragma once

#include <QtGlobal>

// The record carried from the welcome dialog to the main window; the receiver
// copies the value.
struct DEVICETYPE
{
    qint32 Type = 3;
};

// Range classes 05, 10, 20, 30, 50 are device classes 0..4.
namespace DeviceClasses {
constexpr int Count = 5;
constexpr int Default = 3;

bool isValid(int deviceClass);
// Square scene extent in millimetres (centred on the scanner); 0 for an invalid class.
double sceneExtent(int deviceClass);
// Maximum live range in millimetres handed to the link; 0 for an invalid class.
int maxRange(int deviceClass);
// Range-class name as in file extensions: "05", "10", "20", "30", "50"; empty if invalid.
const char *rangeName(int deviceClass);
} // namespace DeviceClasses
