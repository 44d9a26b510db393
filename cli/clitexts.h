#pragma once

#include <QString>

// The tool's own texts in English (language 0) and Chinese (1), the link's
// numbering. Arguments are filled with QString::arg in order.
enum class CliText {
    UsageTitle,
    HelpTool,
    HelpCheck,
    HelpDiff,
    HelpDownload,
    HelpUpload,
    HelpInfo,
    HelpDiscover,
    HelpWatch,
    HelpRecord,
    ExitStatuses,
    UnknownCommand,
    UnknownOption,
    WrongArguments,
    BadScanner,
    BadSeconds,
    BadLanguage,
    FileMissing,
    FileUnreadable,
    FileDamaged,
    FileNotWritten,
    UnknownExtension,
    NotAScanner,
    NoProblems,
    ProblemCount,
    ConnectFailed,
    OpenFailed,
    LinkLost,
    TimedOut,
    WriteRejected,
    Downloaded,
    Uploaded,
    Verified,
    VerifyFailed,
    Rebooted,
    Equal,
    DifferenceCount,
    DiffClass,
    DiffParameter,
    DiffCase,
    DiffArea,
    DiffKind,
    DiffCount,
    DiffMoved,
    NoScannerFound,
    FoundScanner,
    WatchLine,
    Warning,
    NoAnswer,
    TryHelp,
    Recorded,
};

QString cliText(CliText text, int language);
// Output kind names (Polygon ... Ratio); the number itself for others.
QString kindName(int kind, int language);
