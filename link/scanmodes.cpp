#include "scanmodes.h"

namespace ScanModes {

int pointsPerDegree(int angleIndex)
{
    switch (angleIndex) {
    case 0: return 40;
    case 1: return 20;
    case 2: return 10;
    case 3: return 4;
    case 4: return 2;
    default: return 10;
    }
}

int motorHz(int productType, int speedIndex)
{
    const bool fastFamily = productType >= 18 && productType <= 20;
    const int base = fastFamily ? 15 : 10;
    return speedIndex == 1 ? 2 * base : base;
}

double serialSampleAngle(int k) { return FieldStart + 0.5 + 0.5 * k; }

double streamSampleAngle(int i, int g) { return FieldStart + double(i) / double(g > 0 ? g : 1); }

} // namespace ScanModes
