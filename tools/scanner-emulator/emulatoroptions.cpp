#include "emulatoroptions.h"

#include <QCommandLineParser>
#include <QHostAddress>

namespace {
struct OptionSpec
{
    const char *names;
    const char *value; // nullptr: a switch
    const char *help;
};

// Also the order of --help.
const OptionSpec kOptions[] = {
    {"host", "address", "Address the TCP server and UDP endpoint bind to (default 127.0.0.1)."},
    {"port", "port", "TCP and UDP port (default 8080; 0 picks a free port, printed at start)."},
    {"no-tcp", nullptr, "Do not run the TCP server."},
    {"no-udp", nullptr, "Do not run the UDP endpoint."},
    {"pty", nullptr, "Answer on a new pseudo-terminal; its path is printed at start."},
    {"pty-link", "path", "Also make a symbolic link at this path to the pseudo-terminal (implies --pty)."},
    {"serial", "device", "Answer on this serial device (e.g. /dev/ttyUSB0)."},
    {"baud", "rate", "Baud rate of --serial (default 576000)."},
    {"discovery", nullptr,
     "Answer discovery searches (\"M-SEARCH\" on UDP 1900) with this scanner's address and Ethernet mode. "
     "Sends to the network: run it only inside an isolated network namespace."},
    {"discovery-host", "address", "Address the discovery responder binds to (default 0.0.0.0)."},
    {"discovery-port", "port", "Port of the discovery responder (default 1900)."},
    {"type", "code", "Product type code (default 9, VQxxxx-ETH; e.g. 6 IO, 8 CN, 10 NAV, 18 VQ-7712-144K)."},
    {"firmware", "version", "Firmware version reported, e.g. 1.05 (default)."},
    {"serial-number", "number", "Serial number reported, 0..65535 (default 1)."},
    {"date", "yyyy-mm-dd", "Production date reported (default 2024-05-20)."},
    {"state", "file",
     "Keep parameters, case table and areas in this file (JSON), read at start and written after every "
     "accepted write, so a configuration survives a restart."},
    {"seed", "number", "Seed of the synthetic world and of every fault decision (default 1)."},
    {"replay", "file",
     "Serve a recording made by the tool instead of the synthetic room, in a loop: the scans it received "
     "(converted to the scan layout asked for), the IO status replies (simulation requests still override "
     "them), and the recorded product information and parameters. A serial scan served as a stream has the "
     "serial line's 0.5 degree steps."},
    {"boot-pause", "ms", "How long a reboot (RBoot) keeps the scanner away (default 2000)."},
    {"inputs", "bits", "State of the six wired inputs, 0..63 (default 0): selects the active area."},
    {"status-bits", "bits", "Status bits to report on top of the computed ones, e.g. 32 for over-temperature."},
    {"drop", "p", "Fault: drop each reply with probability p (0..1)."},
    {"corrupt-crc", "p", "Fault: spoil the CRC of each reply with probability p."},
    {"delay", "p[:ms]", "Fault: hold each reply back with probability p, for ms milliseconds (default 500)."},
    {"split", "p", "Fault: write each reply in small pieces (1..16 bytes) with probability p."},
    {"stray", "p", "Fault: put 1..8 stray bytes in front of each reply with probability p."},
    {"reject", "rule",
     "Fault: answer a write with an error status. Rules: WArea:AREA:STATUS[:TIMES], WCase:STATUS[:TIMES], "
     "WPara:STATUS[:TIMES]; AREA -1 means any area, STATUS 1 is a parameter error and 2 a flash error, "
     "TIMES (default 1) is how often the rule fires, 0 every time. May be given several times."},
    {"fault", "rule",
     "Fault: what happens to the reply of one kind of request. Rule COMMAND[:AREA]:ACTION[:TIMES], COMMAND a "
     "request with a reply (RArea, WPara, RBoot...), AREA for RArea and WArea only (-1 or left out: any area), "
     "ACTION status=N (the status of a WArea, WCase, WPara or RBoot reply, 0..255), withhold (served, never "
     "answered), area=N (an RArea reply names area N), late=MS (the reply leaves MS ms late) or drop (the TCP "
     "connection is dropped as the request arrives, unserved; elsewhere the reply is withheld) or close (the TCP "
     "connection is closed right after the reply). TIMES as for --reject. May be given several times."},
    {"control", nullptr,
     "Read commands from standard input, one a line, each answered with a line on standard output: "
     "\"fault RULE\" adds a --fault rule, \"clear\" forgets every --fault and --reject rule."},
    {"silent", nullptr, "Fault: receive and log requests but never answer."},
    {"quiet", nullptr, "Do not log every frame on standard error."},
    {"version", nullptr, "Print the version and exit."},
    {"help", nullptr, "Print this help and exit."},
};

void addOptions(QCommandLineParser &parser)
{
    for (const OptionSpec &o : kOptions) {
        QStringList names{QString::fromLatin1(o.names)};
        if (qstrcmp(o.names, "help") == 0)
            names.prepend(QStringLiteral("h"));
        if (qstrcmp(o.names, "quiet") == 0)
            names.prepend(QStringLiteral("q"));
        if (o.value)
            parser.addOption(QCommandLineOption(names, QString::fromLatin1(o.help), QString::fromLatin1(o.value)));
        else
            parser.addOption(QCommandLineOption(names, QString::fromLatin1(o.help)));
    }
}

bool toInt(const QString &text, int lo, int hi, int *out)
{
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok || v < lo || v > hi)
        return false;
    *out = int(v);
    return true;
}

bool toProbability(const QString &text, double *out)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !(v >= 0.0 && v <= 1.0))
        return false;
    *out = v;
    return true;
}
} // namespace

QString emulatorHelpText()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A laser area scanner that answers in the scanner's place: TCP and UDP on port 8080, a serial line on a "
        "pseudo-terminal or a serial device, and on request the discovery responder. It keeps parameters, case "
        "table and 64 areas like the scanner's flash, streams live scans of a small synthetic room with one "
        "moving obstacle, sets its outputs from the zones, and can inject faults.\n\n"
        "Connect the tool over Ethernet to the printed address (127.0.0.1 by default) or over the serial line to "
        "the printed pseudo-terminal path. One line per frame received and sent goes to standard error."));
    addOptions(parser);
    return parser.helpText();
}

std::optional<EmulatorOptions> parseEmulatorOptions(const QStringList &arguments, QString *error)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(QStringList{QStringLiteral("scanner-emulator")} + arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
        return std::nullopt;
    }
    EmulatorOptions o;
    o.help = parser.isSet(QStringLiteral("help"));
    o.version = parser.isSet(QStringLiteral("version"));
    auto value = [&](const char *name) { return parser.value(QString::fromLatin1(name)); };
    auto isSet = [&](const char *name) { return parser.isSet(QString::fromLatin1(name)); };
    auto fail = [&](const QString &text) {
        *error = text;
        return std::nullopt;
    };

    auto address = [&](const char *name, QString *out) {
        if (!isSet(name))
            return true;
        QHostAddress a;
        if (!a.setAddress(value(name)))
            return false;
        *out = value(name);
        return true;
    };
    if (!address("host", &o.host))
        return fail(QStringLiteral("--host: not an IP address: %1").arg(value("host")));
    if (!address("discovery-host", &o.discoveryHost))
        return fail(QStringLiteral("--discovery-host: not an IP address: %1").arg(value("discovery-host")));
    if (isSet("port") && !toInt(value("port"), 0, 65535, &o.port))
        return fail(QStringLiteral("--port: expected 0..65535"));
    if (isSet("discovery-port") && !toInt(value("discovery-port"), 1, 65535, &o.discoveryPort))
        return fail(QStringLiteral("--discovery-port: expected 1..65535"));
    o.tcp = !isSet("no-tcp");
    o.udp = !isSet("no-udp");
    o.ptyLink = value("pty-link");
    o.pty = isSet("pty") || !o.ptyLink.isEmpty();
    o.serialDevice = value("serial");
    if (isSet("baud") && !toInt(value("baud"), 1, 100000000, &o.baudRate))
        return fail(QStringLiteral("--baud: expected a positive number"));
    o.discovery = isSet("discovery");

    if (isSet("type")) {
        if (!toInt(value("type"), 0, 65535, &o.productType))
            return fail(QStringLiteral("--type: expected a product code 0..65535"));
        o.productTypeGiven = true;
    }
    if (isSet("firmware")) {
        bool ok = false;
        const double v = value("firmware").toDouble(&ok);
        if (!ok || v < 0 || v > 655.35)
            return fail(QStringLiteral("--firmware: expected a version such as 1.05"));
        o.firmware = int(v * 100 + 0.5);
    }
    if (isSet("serial-number")) {
        if (!toInt(value("serial-number"), 0, 65535, &o.serialNumber))
            return fail(QStringLiteral("--serial-number: expected 0..65535"));
    }
    if (isSet("date")) {
        o.date = QDate::fromString(value("date"), Qt::ISODate);
        if (!o.date.isValid())
            return fail(QStringLiteral("--date: expected yyyy-mm-dd"));
    }
    o.stateFile = value("state");
    o.replayFile = value("replay");
    if (isSet("seed")) {
        bool ok = false;
        o.seed = value("seed").toULongLong(&ok);
        if (!ok)
            return fail(QStringLiteral("--seed: expected a non-negative number"));
    }
    if (isSet("boot-pause") && !toInt(value("boot-pause"), 0, 600000, &o.bootPauseMs))
        return fail(QStringLiteral("--boot-pause: expected 0..600000 ms"));
    if (isSet("inputs") && !toInt(value("inputs"), 0, 63, &o.inputs))
        return fail(QStringLiteral("--inputs: expected 0..63"));
    if (isSet("status-bits") && !toInt(value("status-bits"), 0, 65535, &o.statusBits))
        return fail(QStringLiteral("--status-bits: expected 0..65535"));
    o.quiet = isSet("quiet");

    FaultOptions &f = o.faults;
    const struct { const char *name; double *target; } probabilities[] = {
        {"drop", &f.drop}, {"corrupt-crc", &f.corruptCrc}, {"split", &f.split}, {"stray", &f.stray}};
    for (const auto &p : probabilities)
        if (isSet(p.name) && !toProbability(value(p.name), p.target))
            return fail(QStringLiteral("--%1: expected a probability 0..1").arg(QLatin1String(p.name)));
    if (isSet("delay")) {
        const QStringList parts = value("delay").split(QLatin1Char(':'));
        if (parts.size() > 2 || !toProbability(parts.at(0), &f.delay)
            || (parts.size() == 2 && !toInt(parts.at(1), 0, 600000, &f.delayMs)))
            return fail(QStringLiteral("--delay: expected p or p:ms"));
    }
    for (const QString &text : parser.values(QStringLiteral("reject"))) {
        QString why;
        const std::optional<RejectRule> rule = RejectRule::parse(text, &why);
        if (!rule)
            return fail(QStringLiteral("--reject: %1").arg(why));
        f.rejects.append(*rule);
    }
    for (const QString &text : parser.values(QStringLiteral("fault"))) {
        QString why;
        const std::optional<ReplyFault> fault = ReplyFault::parse(text, &why);
        if (!fault)
            return fail(QStringLiteral("--fault: %1").arg(why));
        f.replies.append(*fault);
    }
    f.silent = isSet("silent");
    o.control = isSet("control");

    if (!o.tcp && !o.udp && !o.pty && o.serialDevice.isEmpty() && !o.help && !o.version)
        return fail(QStringLiteral("nothing to answer on: --no-tcp and --no-udp without --pty or --serial"));
    return o;
}
