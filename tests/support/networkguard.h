#pragma once

// Tests that broadcast check where they are before sending anything: only
// the interfaces they expect may exist (loopback inside scripts/netns-run,
// plus the test's own veth on a test LAN).
#include <QNetworkInterface>
#include <QStringList>

namespace NetworkGuard {

// Interfaces other than the allowed ones; empty when it is safe to send.
inline QStringList foreignInterfaces(const QStringList &allowed)
{
    QStringList foreign;
    for (const QNetworkInterface &i : QNetworkInterface::allInterfaces())
        if (!allowed.contains(i.name()))
            foreign << i.name();
    return foreign;
}

inline QByteArray refusal(const QStringList &foreign)
{
    return "not an isolated network namespace (run through scripts/netns-run); found: "
           + foreign.join(QLatin1Char(' ')).toLocal8Bit();
}

} // namespace NetworkGuard
