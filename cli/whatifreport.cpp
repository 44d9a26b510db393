#include "whatifreport.h"

#include "clicommands.h"
#include "clitexts.h"
#include "projectio.h"
#include "recording.h"
#include "whatif.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
QString seconds(qint64 us) { return QString::number(double(us) / 1e6, 'f', 3); }
QString hex(int outputs) { return QStringLiteral("0x%1").arg(outputs, 2, 16, QLatin1Char('0')); }
// A compared scan's disagreement mask is what the reply that judged it
// reported, against the project.

QStringList textLines(const WhatIfResult &r, int language)
{
    QStringList lines;
    for (int k = 0; k < 3; ++k) {
        const WhatIfOutput &o = r.outputs[size_t(k)];
        lines << cliText(CliText::WhatIfOutput, language)
                     .arg(k + 1)
                     .arg(seconds(o.projectSetUs), seconds(o.reportedSetUs))
                     .arg(o.projectSwitchings)
                     .arg(o.reportedSwitchings);
        for (int i : o.disagreements) {
            const WhatIfScan &s = r.scans.at(i);
            lines << cliText(CliText::WhatIfScan, language)
                         .arg(i + 1)
                         .arg(seconds(s.timeUs))
                         .arg(s.area)
                         .arg(hex(s.project), hex(s.project ^ s.disagreeMask));
        }
    }
    if (r.compared == 0)
        lines << cliText(CliText::WhatIfNothingCompared, language).arg(r.scans.size());
    else if (r.agrees())
        lines << cliText(CliText::WhatIfAgrees, language).arg(r.scans.size()).arg(r.compared);
    else
        lines << cliText(CliText::WhatIfDisagrees, language).arg(r.scans.size()).arg(r.compared).arg(r.disagreeing);
    return lines;
}

QJsonObject json(const WhatIfResult &r)
{
    QJsonArray outputs;
    for (int k = 0; k < 3; ++k) {
        const WhatIfOutput &o = r.outputs[size_t(k)];
        QJsonArray scans;
        for (int i : o.disagreements) {
            const WhatIfScan &s = r.scans.at(i);
            scans.append(QJsonObject{{QStringLiteral("scan"), i + 1},
                                     {QStringLiteral("time"), double(s.timeUs) / 1e6},
                                     {QStringLiteral("area"), s.area},
                                     {QStringLiteral("project"), int(s.project)},
                                     {QStringLiteral("recording"), int(s.project ^ s.disagreeMask)}});
        }
        outputs.append(QJsonObject{{QStringLiteral("output"), QStringLiteral("Out%1").arg(k + 1)},
                                   {QStringLiteral("projectSet"), double(o.projectSetUs) / 1e6},
                                   {QStringLiteral("recordingSet"), double(o.reportedSetUs) / 1e6},
                                   {QStringLiteral("projectSwitchings"), o.projectSwitchings},
                                   {QStringLiteral("recordingSwitchings"), o.reportedSwitchings},
                                   {QStringLiteral("disagreements"), scans}});
    }
    // Nothing compared is neither equal nor different.
    return QJsonObject{{QStringLiteral("equal"), r.compared == 0 ? QJsonValue() : QJsonValue(r.agrees())},
                       {QStringLiteral("scans"), r.scans.size()},
                       {QStringLiteral("compared"), r.compared},
                       {QStringLiteral("disagreeing"), r.disagreeing},
                       {QStringLiteral("outputs"), outputs}};
}
} // namespace

WhatIfReport whatIfReport(const QString &recordingPath, const QString &projectPath, bool asJson, int language)
{
    WhatIfReport report;
    report.status = CliCommands::UsageError;
    QString error;
    const std::optional<Configuration> config = ProjectIo::load(projectPath, language, &error);
    if (!config) {
        report.err << error;
        return report;
    }
    if (!QFileInfo::exists(recordingPath)) {
        report.err << cliText(CliText::FileMissing, language).arg(recordingPath);
        return report;
    }
    QFile file(recordingPath);
    RecordingReader reader(&file);
    if (!file.open(QIODevice::ReadOnly) || !reader.open()) {
        const RecordingStatus status = file.isOpen() ? reader.status() : RecordingStatus::Unreadable;
        report.err << QStringLiteral("%1: %2").arg(recordingPath, recordingMessage(status, language, reader.version()));
        return report;
    }
    // Chunk by chunk: an hour of a dense stream is never held whole.
    WhatIfEvaluator evaluator(config->areas, reader.header().connectionKind, config->reversed());
    RecordingChunk chunk;
    while (reader.next(chunk))
        evaluator.add(chunk);
    // A cut or damaged recording is judged as far as it goes, and said to be
    // what it is: the judgement is not of the whole drive.
    const bool whole = reader.status() == RecordingStatus::Complete;
    if (!whole)
        report.err << QStringLiteral("%1: %2").arg(recordingPath, recordingMessage(reader.status(), language));

    const WhatIfResult &r = evaluator.result();
    if (asJson)
        report.out << QString::fromUtf8(QJsonDocument(json(r)).toJson(QJsonDocument::Indented)).trimmed();
    else
        report.out = textLines(r, language);
    report.status = !whole           ? CliCommands::UsageError
                  : r.compared == 0 ? CliCommands::NothingCompared
                  : r.agrees()      ? CliCommands::Success
                                    : CliCommands::Differences;
    return report;
}
