#include "faultinjector.h"

#include "syntheticworld.h"

#include <QStringList>

#include <algorithm>
#include <iterator>

std::optional<RejectRule> RejectRule::parse(const QString &text, QString *error)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    RejectRule rule;
    const QString name = parts.value(0);
    int next = 1;
    if (name == QLatin1String("WArea")) {
        rule.command = Command::WArea;
        bool ok = false;
        rule.area = parts.value(1).toInt(&ok);
        if (!ok || rule.area < -1 || rule.area > 63) {
            *error = QStringLiteral("reject %1: area must be 0..63 (or -1 for any)").arg(text);
            return std::nullopt;
        }
        next = 2;
    } else if (name == QLatin1String("WCase")) {
        rule.command = Command::WCase;
    } else if (name == QLatin1String("WPara")) {
        rule.command = Command::WPara;
    } else {
        *error = QStringLiteral("reject %1: command must be WArea, WCase or WPara").arg(text);
        return std::nullopt;
    }
    bool ok = false;
    rule.status = parts.value(next).toInt(&ok);
    if (!ok || rule.status < 0 || rule.status > 255) {
        *error = QStringLiteral("reject %1: status must be a number 0..255").arg(text);
        return std::nullopt;
    }
    if (parts.size() > next + 1) {
        rule.times = parts.value(next + 1).toInt(&ok);
        if (!ok || rule.times < 0) {
            *error = QStringLiteral("reject %1: times must be 0 (always) or more").arg(text);
            return std::nullopt;
        }
    }
    if (parts.size() > next + 2) {
        *error = QStringLiteral("reject %1: too many fields").arg(text);
        return std::nullopt;
    }
    return rule;
}

std::optional<ReplyFault> ReplyFault::parse(const QString &text, QString *error)
{
    QStringList parts = text.split(QLatin1Char(':'));
    ReplyFault fault;
    const std::optional<Command> command = commandAt(parts.value(0).toLatin1().constData(), parts.value(0).size());
    if (!command || *command == Command::Hisn || *command == Command::RAuto || parts.value(0).size() != kHeaderLength) {
        *error = QStringLiteral("fault %1: the command must be a request with a reply, e.g. RArea or WPara").arg(text);
        return std::nullopt;
    }
    fault.command = *command;
    parts.removeFirst();
    bool ok = false;
    if (!parts.isEmpty() && (fault.command == Command::RArea || fault.command == Command::WArea)) {
        const int area = parts.first().toInt(&ok);
        if (ok && (area < -1 || area > 63)) {
            *error = QStringLiteral("fault %1: area must be 0..63 (or -1 for any)").arg(text);
            return std::nullopt;
        }
        if (ok) {
            fault.area = area;
            parts.removeFirst();
        }
    }
    const QString action = parts.value(0).section(QLatin1Char('='), 0, 0);
    const QString value = parts.value(0).section(QLatin1Char('='), 1);
    const struct { const char *name; ReplyFault::Kind kind; int max; } kinds[] = {
        {"status", ReplyFault::Status, 255}, {"withhold", ReplyFault::Withhold, -1},
        {"area", ReplyFault::NameArea, 255}, {"late", ReplyFault::Late, 600000}, {"drop", ReplyFault::Drop, -1},
        {"close", ReplyFault::Close, -1}};
    const auto *kind = std::find_if(std::begin(kinds), std::end(kinds),
                                    [&](const auto &k) { return action == QLatin1String(k.name); });
    if (kind == std::end(kinds) || (kind->max < 0) != value.isNull()) {
        *error = QStringLiteral("fault %1: the action must be status=N, withhold, area=N, late=MS, drop or close").arg(text);
        return std::nullopt;
    }
    fault.kind = kind->kind;
    if (kind->max >= 0) {
        fault.value = value.toInt(&ok);
        if (!ok || fault.value < 0 || fault.value > kind->max) {
            *error = QStringLiteral("fault %1: %2 takes 0..%3").arg(text, action).arg(kind->max);
            return std::nullopt;
        }
    }
    if ((fault.kind == ReplyFault::NameArea && fault.command != Command::RArea)
        || (fault.kind == ReplyFault::Status && fault.command != Command::WArea && fault.command != Command::WCase
            && fault.command != Command::WPara && fault.command != Command::RBoot)) {
        *error = QStringLiteral("fault %1: %2 does not apply to that reply").arg(text, action);
        return std::nullopt;
    }
    if (parts.size() > 1) {
        fault.times = parts.at(1).toInt(&ok);
        if (!ok || fault.times < 0 || parts.size() > 2) {
            *error = QStringLiteral("fault %1: times must be 0 (always) or more, and last").arg(text);
            return std::nullopt;
        }
    }
    return fault;
}

QByteArray FramePlan::apply(const QByteArray &frame, bool frameHasCrc) const
{
    QByteArray bytes = frame;
    if (corruptCrc && frameHasCrc && bytes.size() >= 2)
        bytes[bytes.size() - 1] = char(bytes.at(bytes.size() - 1) ^ 0x5A);
    return prefix + bytes;
}

QVector<QByteArray> FramePlan::pieces(const QByteArray &bytes) const
{
    QVector<QByteArray> out;
    if (chunks.isEmpty()) {
        out.append(bytes);
        return out;
    }
    int at = 0;
    for (int i = 0; at < bytes.size(); ++i) {
        const int n = i < chunks.size() ? chunks.at(i) : bytes.size() - at;
        out.append(bytes.mid(at, n));
        at += n;
    }
    return out;
}

QString FramePlan::describe() const
{
    QStringList parts;
    if (drop)
        parts << QStringLiteral("dropped");
    if (corruptCrc)
        parts << QStringLiteral("CRC corrupted");
    if (delayMs > 0)
        parts << QStringLiteral("delay %1 ms").arg(delayMs);
    if (!prefix.isEmpty())
        parts << QStringLiteral("%1 stray bytes in front").arg(prefix.size());
    if (!chunks.isEmpty())
        parts << QStringLiteral("split in %1 writes").arg(chunks.size());
    return parts.join(QStringLiteral(", "));
}

FaultInjector::FaultInjector(const FaultOptions &options, quint64 seed)
    : m_options(options)
    , m_fired(options.rejects.size(), 0)
    , m_repliesFired(options.replies.size(), 0)
    , m_rng(mixBits(seed, 0xFA17))
{
}

double FaultInjector::uniform() { return double(m_rng() >> 11) / double(1ULL << 53); }

FramePlan FaultInjector::plan(int length)
{
    // Always draw the same numbers in the same order, whichever faults are
    // switched on, so one fault's choices do not shift another's.
    const double dDrop = uniform(), dCrc = uniform(), dDelay = uniform(), dSplit = uniform(), dStray = uniform();
    const quint64 detail = m_rng();
    FramePlan plan;
    if (dDrop < m_options.drop) {
        plan.drop = true;
        return plan;
    }
    plan.corruptCrc = dCrc < m_options.corruptCrc;
    if (dDelay < m_options.delay)
        plan.delayMs = m_options.delayMs;
    if (dStray < m_options.stray) {
        // 1 to 8 bytes without letters, so they never start a header.
        const int n = 1 + int(detail % 8);
        for (int i = 0; i < n; ++i)
            plan.prefix.append(char(mixBits(detail, quint64(i)) % 0x40));
    }
    if (dSplit < m_options.split) {
        int total = length + plan.prefix.size();
        for (int i = 0; total > 0; ++i) {
            const int n = qMin(total, 1 + int(mixBits(detail, 100 + quint64(i)) % 16));
            plan.chunks.append(n);
            total -= n;
        }
    }
    return plan;
}

std::optional<int> FaultInjector::rejectStatus(Command command, int area)
{
    for (int i = 0; i < m_options.rejects.size(); ++i) {
        const RejectRule &rule = m_options.rejects.at(i);
        if (rule.command != command || (command == Command::WArea && rule.area >= 0 && rule.area != area))
            continue;
        if (rule.times != 0 && m_fired.at(i) >= rule.times)
            continue;
        ++m_fired[i];
        return rule.status;
    }
    return std::nullopt;
}

std::optional<ReplyFault> FaultInjector::replyFault(Command command, int area)
{
    for (int i = 0; i < m_options.replies.size(); ++i) {
        const ReplyFault &fault = m_options.replies.at(i);
        if (fault.command != command || (fault.area >= 0 && fault.area != area))
            continue;
        if (fault.times != 0 && m_repliesFired.at(i) >= fault.times)
            continue;
        ++m_repliesFired[i];
        return fault;
    }
    return std::nullopt;
}

void FaultInjector::addReplyFault(const ReplyFault &fault)
{
    m_options.replies.append(fault);
    m_repliesFired.append(0);
}

void FaultInjector::clearRules()
{
    m_options.rejects.clear();
    m_options.replies.clear();
    m_fired.clear();
    m_repliesFired.clear();
}
