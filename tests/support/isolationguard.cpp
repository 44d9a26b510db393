// Linked into every test program: the program and its dialogs broadcast a
// scanner search when they start, so a test may run only where nothing but
// loopback exists (scripts/netns-run). Refuses to start anywhere else. Also
// keeps every test's settings in a folder of its own.

#include "networkguard.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace {
void refuseOutsideIsolation()
{
    const QStringList foreign = NetworkGuard::foreignInterfaces({QStringLiteral("lo")});
    if (!foreign.isEmpty())
        qFatal("%s", NetworkGuard::refusal(foreign).constData());
    // The window writes its settings at every close: never into the user's.
    const QString settings = QDir::temp().filePath(
        QStringLiteral("quillmark-test-settings-%1").arg(QCoreApplication::applicationPid()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings);
    qAddPostRoutine([] {
        QDir(QDir::temp().filePath(
                 QStringLiteral("quillmark-test-settings-%1").arg(QCoreApplication::applicationPid())))
            .removeRecursively();
    });
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(refuseOutsideIsolation)
