#pragma once

// The emulator's command line.

#include "faultinjector.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

struct EmulatorOptions
{
    QString host = QStringLiteral("127.0.0.1");
    int port = 8080; // TCP and UDP; 0 picks a free port
    bool tcp = true;
    bool udp = true;
    bool pty = false;
    QString ptyLink;      // symbolic link to the pseudo-terminal's slave
    QString serialDevice; // a serial device to answer on
    int baudRate = 576000;
    bool discovery = false;
    QString discoveryHost = QStringLiteral("0.0.0.0");
    int discoveryPort = 1900;

    int productType = 9;
    bool productTypeGiven = false;
    // Product fields given on the command line (-1 / invalid: keep the state's).
    int firmware = -1; // version x 100
    int serialNumber = -1;
    QDate date;

    QString stateFile;
    QString replayFile; // a recording to serve as the scanner's world
    quint64 seed = 1;
    int bootPauseMs = 2000;
    int inputs = 0;
    int statusBits = 0;
    bool quiet = false;
    bool control = false; // commands on standard input
    FaultOptions faults;

    bool help = false;
    bool version = false;
};

// Parses arguments (without the program name). On failure returns nullopt
// and the reason in *error.
std::optional<EmulatorOptions> parseEmulatorOptions(const QStringList &arguments, QString *error);
QString emulatorHelpText();
