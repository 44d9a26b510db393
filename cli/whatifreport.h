#pragma once

#include <QString>
#include <QStringList>

// The whatif command without the console: a recording judged with a project
// file's zones. Lines for standard output and standard error, and the exit
// status (CliCommands::ExitStatus).
struct WhatIfReport
{
    int status = 0;
    QStringList out;
    QStringList err;
};

WhatIfReport whatIfReport(const QString &recordingPath, const QString &projectPath, bool json, int language);
