#pragma once

// What the emulated scanner keeps in flash: the parameter block, the case
// table, the 64 area blocks and its product information. The parameters in
// flash take effect at the next boot (active); the file form lets a
// configuration survive a restart of the emulator.

#include "areaframe.h"
#include "frames.h"
#include "sensorparameters.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <array>
#include <optional>

struct EmulatorState
{
    static constexpr int AreaCount = 64;

    SensorParameters stored; // as last written (WPara), read back by RPara
    SensorParameters active; // what the scanner runs with since its last boot
    CaseTable cases{};
    // Area blocks exactly as written, kept with the RArea header and a valid
    // CRC so they can be served as they are.
    std::array<QByteArray, AreaCount> areas;
    ProductInfo product;

    // A scanner fresh from the factory: the settings dock's default parameter
    // block, empty areas, an Ethernet type.
    static EmulatorState factory();
    static SensorParameters defaultParameters();

    // Stores a WArea request's block; false (and nothing stored) when the
    // block names no area 0..63 or an output kind the scanner does not know.
    bool storeArea(const QByteArray &wareaFrame);
    // The stored block of an area as an RArea reply.
    QByteArray areaReply(int index) const;
    // The stored block decoded into a record (case fields from the case table).
    AreaRecord areaRecord(int index) const;

    // At boot the stored parameters become the active ones.
    void boot() { active = stored; }

    // The file keeps what flash keeps; the active parameters are the stored
    // ones again after a restart.
    QJsonObject toJson() const;
    // Fields that are missing keep the factory values; malformed ones fail.
    static std::optional<EmulatorState> fromJson(const QJsonObject &json, QString *error);
    bool save(const QString &path, QString *error) const;
    static std::optional<EmulatorState> load(const QString &path, QString *error);
};

// Why a parameter block is refused with status 1: the first word outside the
// range of its option list or number field, or -1 when the block is fine.
int invalidParameterWord(const SensorParameters &params);

