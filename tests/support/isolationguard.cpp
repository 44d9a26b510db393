// Linked into every test program: the program and its dialogs broadcast a
// scanner search when they start, so a test may run only where nothing but
// loopback exists (scripts/netns-run). Refuses to start anywhere else.

#include "networkguard.h"

#include <QCoreApplication>

namespace {
void refuseOutsideIsolation()
{
    const QStringList foreign = NetworkGuard::foreignInterfaces({QStringLiteral("lo")});
    if (!foreign.isEmpty())
        qFatal("%s", NetworkGuard::refusal(foreign).constData());
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(refuseOutsideIsolation)
