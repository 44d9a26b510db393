#pragma once

// Faults the emulator can put on its replies, for the tool's reliability
// tests: drop a reply, corrupt its CRC, delay it, split it into small writes,
// put stray bytes in front of it, refuse chosen writes with a status, or stay
// silent. Every random choice comes from one generator seeded by the seed, so
// a seed replays the same faults for the same request sequence.

#include "frames.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <optional>
#include <random>

struct RejectRule
{
    Command command = Command::WPara; // WArea, WCase or WPara
    int area = -1;                    // WArea: the area index; -1 any
    int status = 1;                   // 1 parameter setting error, 2 flash write error
    int times = 1;                    // how often it fires; 0 every time

    // "WArea:AREA:STATUS[:TIMES]", "WCase:STATUS[:TIMES]", "WPara:STATUS[:TIMES]".
    static std::optional<RejectRule> parse(const QString &text, QString *error);
};

// What happens to the reply of one kind of request, for tests of how the
// tool copes with a scanner that answers badly.
struct ReplyFault
{
    enum Kind {
        Status,   // the status byte of a WArea, WCase, WPara or RBoot reply becomes value
        Withhold, // the request is served, its reply never sent
        NameArea, // an RArea reply names area value instead of the one asked for
        Late,     // the reply leaves value ms late
        Drop,     // the connection is dropped as the request arrives, unserved
        Close     // the connection is closed right after the reply
    };
    Command command = Command::RPrda;
    int area = -1; // RArea, WArea: the area index; -1 any
    Kind kind = Withhold;
    int value = 0;
    int times = 1; // how often it fires; 0 every time

    // "COMMAND[:AREA]:ACTION[:TIMES]", ACTION one of status=N, withhold,
    // area=N, late=MS, drop, close; AREA only for RArea and WArea.
    static std::optional<ReplyFault> parse(const QString &text, QString *error);
};

struct FaultOptions
{
    double drop = 0;       // probability per reply
    double corruptCrc = 0;
    double delay = 0;
    int delayMs = 500;
    double split = 0;
    double stray = 0;
    bool silent = false;   // receive and log, never answer
    QVector<RejectRule> rejects;
    QVector<ReplyFault> replies;
};

// What happens to one outgoing reply.
struct FramePlan
{
    bool drop = false;
    bool corruptCrc = false;
    int delayMs = 0;
    QByteArray prefix;   // stray bytes written in front
    QVector<int> chunks; // write sizes when split; empty: one write

    // The bytes to send: prefix + frame, with the CRC spoiled when asked.
    QByteArray apply(const QByteArray &frame, bool frameHasCrc) const;
    // The bytes cut into the planned writes.
    QVector<QByteArray> pieces(const QByteArray &bytes) const;
    QString describe() const; // "", or e.g. "delay 500 ms, split 7"
};

class FaultInjector
{
public:
    FaultInjector(const FaultOptions &options, quint64 seed);

    const FaultOptions &options() const { return m_options; }
    // Draws the plan for the next reply of the given length.
    FramePlan plan(int length);
    // The status a write is refused with, if a rule fires for it (using one
    // of its times).
    std::optional<int> rejectStatus(Command command, int area);
    // The fault for the reply to a request, if a rule fires for it (using one
    // of its times). area: of an RArea or WArea request, otherwise -1.
    std::optional<ReplyFault> replyFault(Command command, int area);
    void addReplyFault(const ReplyFault &fault);
    // Forgets every --reject and --fault rule.
    void clearRules();

private:
    double uniform();

    FaultOptions m_options;
    QVector<int> m_fired; // per reject rule
    QVector<int> m_repliesFired; // per reply rule
    std::mt19937_64 m_rng;
};
