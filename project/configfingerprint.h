#pragma once

#include "areaframe.h"
#include "arearecord.h"
#include "configuration.h"
#include "sensorparameters.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// A name for a whole configuration as a scanner holds it: SHA-256 over the
// bytes it is sent in, so a file and the scanner it was written to carry the
// same one, and any change the scanner would notice changes it. The bytes, in
// order: for areas 0 to 63 bytes 6..1261 of the area's WArea frame (the area
// without its index and CRC), bytes 5..644 of WCase (the case table) and bytes
// 5..54 of WPara (the 25 parameter words).
struct ConfigFingerprint
{
    static constexpr int ShortLength = 16; // hex digits shown

    QByteArray sha256;       // 32 bytes; empty when there is none
    AreaEncodeError refused; // why not: the first area the link would refuse to send

    bool isValid() const { return !sha256.isEmpty(); }
    // All 64 hex digits, or empty.
    QString hex() const;
    // The first 16 hex digits, or empty.
    QString shortHex() const;
    // The short form, or why there is none, in the link's language numbering
    // (0 English, 1 Chinese).
    QString text(int language) const;
};

// Over the areas, the case fields they carry and the words exactly as a
// write-all sends them; `reversed` mirrors the zones as the link does.
ConfigFingerprint configFingerprint(const QVector<AreaRecord> &areas, const SensorParameters &words, bool reversed);

// A scanner's configuration by the words it reported; a file's by the words
// its rows give over the defaults, as the command-line upload sends them.
ConfigFingerprint configFingerprint(const Configuration &config);
