#pragma once

#include <QSettings>

// The one place the window's settings live: every part that keeps a setting
// opens them here, so none can drift to a file of its own.
inline QSettings settingsStore()
{
    return QSettings(QStringLiteral("Ostrelan"), QStringLiteral("Parameters"));
}
