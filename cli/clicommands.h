#pragma once

#include <QStringList>

// The tool's commands over its arguments (without the program name). Prints
// results on standard output, messages on standard error, and returns the
// exit status.
namespace CliCommands {

enum ExitStatus {
    Success = 0,
    Differences = 1,
    UsageError = 2,
    LinkFailure = 3,
    NothingCompared = 4, // whatif: the recording holds nothing to compare with
    Interrupted = 130    // record: interrupted before the recording began
};

// Seconds a command that talks to a scanner has before it gives up (--deadline).
constexpr int DefaultDeadlineSeconds = 120;

int run(const QStringList &arguments);

// The command word of the arguments, empty when there is none: the program
// starts what that command needs (a report paints, the others do not).
QString commandOf(const QStringList &arguments);

// Ends a running watch (the first interrupt signal).
void interrupt();

} // namespace CliCommands
