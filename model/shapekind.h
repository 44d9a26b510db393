#pragma once

// Shape of one output's zone. The values are stored in project files and sent
// to the scanner, so they must never be renumbered.
enum ShapeKind : int {
    Polygon = 0,
    Arc = 1,
    Rectangle = 2,
    Straight = 3, // derived from the previous output's zone (Out2/Out3 only)
    Fan = 4,
    Ratio = 5,
};

inline bool isDependentShape(int kind) { return kind >= Straight && kind <= Ratio; }
