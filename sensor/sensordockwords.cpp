#include "sensordockwords.h"

#include <algorithm>

namespace SensorDockWords {

namespace {
constexpr int kRs485IdRow = 4;
constexpr int kCanIdRow = 8;
constexpr int kDirtyMaximum = 2000;
constexpr int kDirtyDistanceFallback = 200;
constexpr int kDirtyStrengthFallback = 500;

// The word a row after the address rows comes from.
int wordOfRow(int row) { return row < IpFirstRow ? row : row - 2; }
bool isIpRow(int row) { return row >= IpFirstRow && row < IpFirstRow + 4; }
bool isNumberRow(int row) { return row == kRs485IdRow || row == kCanIdRow || isIpRow(row) || row >= 25; }
} // namespace

void correctWords(SensorParameters &params)
{
    auto &w = params.Words;
    if (w[11] > 1)
        w[11] = 0;
    if (w[12] > 4)
        w[12] = 1;
    if (w[13] > 3)
        w[13] = 0;
    if (w[14] > 1)
        w[14] = 0;
    if (w[23] > kDirtyMaximum)
        w[23] = kDirtyDistanceFallback;
    if (w[24] > kDirtyMaximum)
        w[24] = kDirtyStrengthFallback;
}

SensorDockState rowsOfWords(const SensorParameters &params)
{
    SensorParameters corrected = params;
    correctWords(corrected);
    auto &w = corrected.Words;
    w[4] = std::clamp(w[4], 1, 127);
    w[8] = std::clamp(w[8], 1, 127);

    SensorDockState rows{};
    for (int row = 0; row < kSensorDockRows; ++row) {
        if (isIpRow(row)) {
            const int k = row - IpFirstRow;
            const qint32 word = w[size_t(SensorParameters::IpHighWord + k / 2)];
            rows[size_t(row)] = k % 2 == 0 ? (word >> 8) & 0xFF : word & 0xFF;
        } else {
            rows[size_t(row)] = w[size_t(wordOfRow(row))];
        }
    }
    return rows;
}

SensorParameters wordsOfRows(const SensorDockState &rows, const SensorParameters &base)
{
    SensorParameters p = base;
    auto &w = p.Words;
    for (int row = 0; row < kSensorDockRows; ++row) {
        if (isIpRow(row))
            continue;
        const qint32 value = rows[size_t(row)];
        if (!isNumberRow(row) && value < 0)
            continue;
        w[size_t(wordOfRow(row))] = value;
    }
    w[SensorParameters::IpHighWord] = (rows[IpFirstRow] & 0xFF) * 256 + (rows[IpFirstRow + 1] & 0xFF);
    w[SensorParameters::IpLowWord] = (rows[IpFirstRow + 2] & 0xFF) * 256 + (rows[IpFirstRow + 3] & 0xFF);
    if (w[12] == 0)
        w[11] = 0;
    return p;
}

} // namespace SensorDockWords
