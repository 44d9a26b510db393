#include "configfingerprint.h"

#include "sensordockwords.h"

#include <QCryptographicHash>

namespace {
// The part of each frame that is configuration: no command text, no area
// index (the order says it), no CRC.
constexpr int kAreaFrom = 6;
constexpr int kAreaTo = 1261;
constexpr int kCaseFrom = 5;
constexpr int kCaseTo = 644;
constexpr int kWordsFrom = 5;
constexpr int kWordsTo = 54;

QByteArray span(const QByteArray &frame, int from, int to) { return frame.mid(from, to - from + 1); }
} // namespace

QString ConfigFingerprint::hex() const { return QString::fromLatin1(sha256.toHex()); }

QString ConfigFingerprint::shortHex() const { return hex().left(ShortLength); }

QString ConfigFingerprint::text(int language) const
{
    if (isValid())
        return shortHex();
    const QString where = language == 1 ? QStringLiteral("区域 %1 的 Out%2").arg(refused.area).arg(refused.output + 1)
                                        : QStringLiteral("area %1, Out%2").arg(refused.area).arg(refused.output + 1);
    return language == 1 ? QStringLiteral("无 (%1 无法下载)").arg(where)
                         : QStringLiteral("none (%1 cannot be sent)").arg(where);
}

ConfigFingerprint configFingerprint(const QVector<AreaRecord> &areas, const SensorParameters &words, bool reversed)
{
    ConfigFingerprint fingerprint;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (int i = 0; i < EditData::AreaCount; ++i) {
        const AreaEncodeResult sent = encodeAreaBlock(Command::WArea, i, areas.value(i), reversed);
        if (!sent.ok()) {
            fingerprint.refused = sent.error;
            return fingerprint;
        }
        hash.addData(span(sent.frame, kAreaFrom, kAreaTo));
    }
    hash.addData(span(encodeCaseTable(Command::WCase, caseTableOf(areas)), kCaseFrom, kCaseTo));
    hash.addData(span(encodeParameterBlock(Command::WPara, words), kWordsFrom, kWordsTo));
    fingerprint.sha256 = hash.result();
    return fingerprint;
}

ConfigFingerprint configFingerprint(const Configuration &config)
{
    if (config.words)
        return configFingerprint(config.areas,
                                 *config.words, config.words->Words[SensorParameters::InstallDirectionWord] != 0);
    return configFingerprint(config.areas, SensorDockWords::wordsOfRows(config.rows, SensorParameters::defaults()),
                             config.reversed());
}
