#include "devicetype.h"

namespace DeviceClasses {

namespace {
struct ClassInfo
{
    double extent;
    int range;
    const char *name;
};
constexpr ClassInfo kClasses[Count] = {
    {12000.0, 6000, "05"}, {24000.0, 12000, "10"}, {48000.0, 24000, "20"},
    {72000.0, 36000, "30"}, {120000.0, 60000, "50"},
};
} // namespace

bool isValid(int deviceClass) { return deviceClass >= 0 && deviceClass < Count; }
double sceneExtent(int deviceClass) { return isValid(deviceClass) ? kClasses[deviceClass].extent : 0.0; }
int maxRange(int deviceClass) { return isValid(deviceClass) ? kClasses[deviceClass].range : 0; }
const char *rangeName(int deviceClass) { return isValid(deviceClass) ? kClasses[deviceClass].name : ""; }

} // namespace DeviceClasses
