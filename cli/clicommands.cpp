#include "clicommands.h"

#include "clitexts.h"
#include "commissioningreport.h"
#include "configfingerprint.h"
#include "configcheck.h"
#include "configdiff.h"
#include "consoledialogs.h"
#include "parameternames.h"
#include "projectio.h"
#include "scanneraddress.h"
#include "scannerdiscovery.h"
#include "scannersession.h"
#include "whatifreport.h"

#include <QDate>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace CliCommands {

namespace {
QPointer<ScannerSession> g_watching;
bool g_interrupted = false;
// Set when the command starts: every scanner session of it ends by then.
QDeadlineTimer g_deadline{QDeadlineTimer::Forever};

void out(const QString &line) { std::fprintf(stdout, "%s\n", line.toLocal8Bit().constData()); std::fflush(stdout); }
void err(const QString &line) { std::fprintf(stderr, "quillmark-cli: %s\n", line.toLocal8Bit().constData()); }

// The parsed command line: positional words, switches and --seconds.
struct Arguments
{
    QString command;
    QStringList words;
    bool help = false;
    bool json = false;
    bool verify = false;
    bool reboot = false;
    int seconds = -1;
    int deadline = DefaultDeadlineSeconds;
    int language = 0;
};

// Every option a command takes; the rest are refused.
bool takes(const QString &command, const QString &option)
{
    if (option == QLatin1String("--deadline"))
        return command != QLatin1String("discover");
    if (option == QLatin1String("--json"))
        return command == QLatin1String("diff") || command == QLatin1String("watch")
            || command == QLatin1String("whatif") || command == QLatin1String("info")
            || command == QLatin1String("check") || command == QLatin1String("upload");
    if (option == QLatin1String("--verify") || option == QLatin1String("--reboot"))
        return command == QLatin1String("upload");
    if (option == QLatin1String("--seconds"))
        return command == QLatin1String("discover") || command == QLatin1String("watch")
            || command == QLatin1String("record");
    return false;
}

int expectedWords(const QString &command)
{
    if (command == QLatin1String("check") || command == QLatin1String("info") || command == QLatin1String("watch"))
        return 1;
    if (command == QLatin1String("diff") || command == QLatin1String("download") || command == QLatin1String("upload")
        || command == QLatin1String("record") || command == QLatin1String("whatif")
        || command == QLatin1String("report"))
        return 2;
    if (command == QLatin1String("discover"))
        return 0;
    return -1;
}

CliText helpOf(const QString &command)
{
    static const QHash<QString, CliText> help = {
        {QStringLiteral("check"), CliText::HelpCheck},       {QStringLiteral("diff"), CliText::HelpDiff},
        {QStringLiteral("download"), CliText::HelpDownload}, {QStringLiteral("upload"), CliText::HelpUpload},
        {QStringLiteral("info"), CliText::HelpInfo},         {QStringLiteral("discover"), CliText::HelpDiscover},
        {QStringLiteral("watch"), CliText::HelpWatch},       {QStringLiteral("record"), CliText::HelpRecord},
        {QStringLiteral("whatif"), CliText::HelpWhatIf},     {QStringLiteral("report"), CliText::HelpReport},
    };
    return help.value(command, CliText::HelpTool);
}

// Fills args; on a usage error returns false with the message in error.
bool parse(const QStringList &list, Arguments *args, QString *error)
{
    // The language first, so every message after it is in that language.
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i) != QLatin1String("--lang") && !list.at(i).startsWith(QLatin1String("--lang=")))
            continue;
        const QString value = list.at(i).startsWith(QLatin1String("--lang=")) ? list.at(i).mid(7) : list.value(i + 1);
        if (value == QLatin1String("zh"))
            args->language = 1;
        else if (value != QLatin1String("en")) {
            *error = cliText(CliText::BadLanguage, 0);
            return false;
        }
    }
    for (int i = 0; i < list.size(); ++i) {
        const QString &a = list.at(i);
        if (a == QLatin1String("--lang")) {
            ++i;
        } else if (a.startsWith(QLatin1String("--lang="))) {
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            args->help = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            const QString name = a.section(QLatin1Char('='), 0, 0);
            if (args->command.isEmpty() || !takes(args->command, name)) {
                *error = cliText(CliText::UnknownOption, args->language).arg(a);
                return false;
            }
            if (name == QLatin1String("--seconds") || name == QLatin1String("--deadline")) {
                const QString value = a.contains(QLatin1Char('=')) ? a.section(QLatin1Char('='), 1) : list.value(++i);
                bool ok = false;
                int &seconds = name == QLatin1String("--seconds") ? args->seconds : args->deadline;
                seconds = value.toInt(&ok);
                if (!ok || seconds < 1 || seconds > 86400 * 365) {
                    *error = cliText(CliText::BadSeconds, args->language).arg(name);
                    return false;
                }
            } else if (a.contains(QLatin1Char('='))) {
                *error = cliText(CliText::UnknownOption, args->language).arg(a);
                return false;
            } else {
                (name == QLatin1String("--json") ? args->json : name == QLatin1String("--verify") ? args->verify
                                                                                                   : args->reboot) = true;
            }
        } else if (args->command.isEmpty()) {
            args->command = a;
            if (expectedWords(a) < 0 && !args->help) {
                *error = cliText(CliText::UnknownCommand, args->language).arg(a);
                return false;
            }
        } else {
            args->words << a;
        }
    }
    if (args->help)
        return true;
    if (args->command.isEmpty()) {
        *error = cliText(CliText::UsageTitle, args->language);
        return false;
    }
    if (args->words.size() != expectedWords(args->command)) {
        *error = cliText(CliText::WrongArguments, args->language).arg(args->command);
        return false;
    }
    return true;
}

int printHelp(const Arguments &args)
{
    const CliText help = helpOf(args.command);
    if (help == CliText::HelpTool)
        out(cliText(CliText::UsageTitle, args.language));
    out(cliText(help, args.language));
    out(QString());
    out(cliText(CliText::ExitStatuses, args.language));
    return Success;
}

std::optional<ScannerAddress> scannerOf(const QString &text, int language)
{
    const ScannerAddress a = parseScannerAddress(text);
    if (!a.isValid()) {
        err(cliText(CliText::BadScanner, language).arg(text));
        return std::nullopt;
    }
    return a;
}

// A configuration from a file or a scanner (with its product information);
// the exit status on failure.
int obtain(const QString &source, int language, Configuration *config,
           std::optional<ProductInfo> *product = nullptr)
{
    if (looksLikeScanner(source)) {
        const std::optional<ScannerAddress> address = scannerOf(source, language);
        if (!address)
            return UsageError;
        ConsoleDialogs dialogs(language);
        DialogSeam::install(&dialogs);
        ScannerSession session(*address, language, &dialogs);
        session.setDeadline(g_deadline);
        const bool ok = session.open() && session.readAll(config);
        if (ok && product)
            *product = session.product();
        DialogSeam::install(nullptr);
        if (!ok) {
            err(session.error());
            return LinkFailure;
        }
        return Success;
    }
    QString error;
    const std::optional<Configuration> loaded = ProjectIo::load(source, language, &error);
    if (!loaded) {
        err(error);
        return UsageError;
    }
    *config = *loaded;
    return Success;
}

// The short form and the whole hash; null both when there is none, with the reason.
QJsonObject fingerprintJson(const ConfigFingerprint &f)
{
    if (!f.isValid())
        return {{QStringLiteral("fingerprint"), QJsonValue()}, {QStringLiteral("sha256"), QJsonValue()},
                {QStringLiteral("refused"), f.refused.message(0)}};
    return {{QStringLiteral("fingerprint"), f.shortHex()}, {QStringLiteral("sha256"), f.hex()}};
}

void printJson(const QJsonObject &o) { out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)).trimmed()); }

int check(const Arguments &args)
{
    Configuration config;
    if (const int status = obtain(args.words.at(0), args.language, &config); status != Success)
        return status;
    const QVector<AreaEncodeError> problems = sendProblems(config);
    const ConfigFingerprint fingerprint = configFingerprint(config);
    if (args.json) {
        QJsonArray list;
        for (const AreaEncodeError &p : problems)
            list.append(p.message(args.language));
        QJsonObject o = fingerprintJson(fingerprint);
        o.insert(QStringLiteral("problems"), list);
        printJson(o);
        return problems.isEmpty() ? Success : Differences;
    }
    for (const AreaEncodeError &p : problems)
        out(p.message(args.language));
    out(problems.isEmpty() ? cliText(CliText::NoProblems, args.language).arg(args.words.at(0))
                           : cliText(CliText::ProblemCount, args.language).arg(args.words.at(0)).arg(problems.size()));
    out(cliText(CliText::FingerprintLine, args.language).arg(fingerprint.text(args.language)));
    return problems.isEmpty() ? Success : Differences;
}

int diff(const Arguments &args)
{
    Configuration a;
    Configuration b;
    // Both named things are checked before either scanner is asked.
    for (const QString &w : args.words)
        if (looksLikeScanner(w) && !scannerOf(w, args.language))
            return UsageError;
    if (const int status = obtain(args.words.at(0), args.language, &a); status != Success)
        return status;
    if (const int status = obtain(args.words.at(1), args.language, &b); status != Success)
        return status;
    const QVector<Difference> diffs = diffConfigurations(a, b, args.language);
    const ConfigFingerprint fa = configFingerprint(a);
    const ConfigFingerprint fb = configFingerprint(b);
    if (args.json) {
        QJsonObject o = differencesJson(diffs, args.language);
        o.insert(QStringLiteral("a"), fingerprintJson(fa));
        o.insert(QStringLiteral("b"), fingerprintJson(fb));
        printJson(o);
    } else {
        out(cliText(CliText::FingerprintPair, args.language).arg(fa.text(args.language), fb.text(args.language)));
        for (const QString &line : differenceLines(diffs, args.language))
            out(line);
        out(diffs.isEmpty() ? cliText(CliText::Equal, args.language)
                            : cliText(CliText::DifferenceCount, args.language).arg(diffs.size()));
    }
    return diffs.isEmpty() ? Success : Differences;
}

int download(const Arguments &args)
{
    const QString file = args.words.at(1);
    const int deviceClass = ProjectIo::deviceClassOfFileName(file);
    if (deviceClass < 0) {
        err(cliText(CliText::UnknownExtension, args.language).arg(file));
        return UsageError;
    }
    if (!looksLikeScanner(args.words.at(0))) {
        err(cliText(CliText::NotAScanner, args.language).arg(QStringLiteral("download")));
        return UsageError;
    }
    Configuration config;
    if (const int status = obtain(args.words.at(0), args.language, &config); status != Success)
        return status;
    config.deviceClass = deviceClass;
    QString error;
    if (!ProjectIo::save(file, config, args.language, &error)) {
        err(error);
        return UsageError;
    }
    out(cliText(CliText::Downloaded, args.language).arg(args.words.at(0), file));
    return Success;
}

int upload(const Arguments &args)
{
    const QString file = args.words.at(0);
    if (!looksLikeScanner(args.words.at(1))) {
        err(cliText(CliText::NotAScanner, args.language).arg(QStringLiteral("upload")));
        return UsageError;
    }
    const std::optional<ScannerAddress> address = scannerOf(args.words.at(1), args.language);
    if (!address)
        return UsageError;
    Configuration config;
    if (const int status = obtain(file, args.language, &config); status != Success)
        return status;
    // Nothing leaves before the whole file is known to be sendable.
    const QVector<AreaEncodeError> problems = sendProblems(config);
    if (!problems.isEmpty()) {
        if (args.json) {
            // Standard output carries only JSON; the reason goes where every failure's goes.
            QJsonArray list;
            for (const AreaEncodeError &p : problems) {
                list.append(p.message(args.language));
                err(p.message(args.language));
            }
            QJsonObject o = fingerprintJson(configFingerprint(config));
            o.insert(QStringLiteral("written"), false);
            o.insert(QStringLiteral("problems"), list);
            printJson(o);
            err(cliText(CliText::ProblemCount, args.language).arg(file).arg(problems.size()));
            return Differences;
        }
        for (const AreaEncodeError &p : problems)
            out(p.message(args.language));
        out(cliText(CliText::ProblemCount, args.language).arg(file).arg(problems.size()));
        return Differences;
    }
    ConsoleDialogs dialogs(args.language);
    DialogSeam::install(&dialogs);
    ScannerSession session(*address, args.language, &dialogs);
    session.setDeadline(g_deadline);
    int status = Success;
    Configuration back;
    if (!session.open() || !session.writeAll(config, args.reboot)) {
        status = LinkFailure;
    } else {
        if (!args.json)
            out(cliText(CliText::Uploaded, args.language).arg(address->text(), file));
        // Restarted means answering again: the next command finds it up.
        if (args.reboot && session.waitUntilBack() && !args.json)
            out(cliText(CliText::Rebooted, args.language).arg(address->text()));
        if (!session.error().isEmpty() || (args.verify && !session.readAll(&back)))
            status = LinkFailure;
    }
    DialogSeam::install(nullptr);
    if (status != Success) {
        err(session.error());
        return status;
    }
    if (args.json) {
        // What the scanner now holds, and with --verify whether it reads back so.
        QJsonObject o = fingerprintJson(configFingerprint(config));
        o.insert(QStringLiteral("scanner"), address->text());
        o.insert(QStringLiteral("written"), true);
        o.insert(QStringLiteral("rebooted"), args.reboot);
        if (!args.verify) {
            printJson(o);
            return Success;
        }
        const QVector<Difference> diffs = diffConfigurations(config, back, args.language);
        const QJsonObject verified = differencesJson(diffs, args.language);
        for (auto it = verified.begin(); it != verified.end(); ++it)
            o.insert(it.key(), it.value());
        printJson(o);
        if (diffs.isEmpty())
            return Success;
        err(cliText(CliText::VerifyFailed, args.language).arg(address->text()).arg(diffs.size()));
        return Differences;
    }
    if (!args.verify)
        return Success;
    const QVector<Difference> diffs = diffConfigurations(config, back, args.language);
    for (const QString &line : differenceLines(diffs, args.language))
        out(line);
    out(diffs.isEmpty() ? cliText(CliText::Verified, args.language).arg(address->text())
                        : cliText(CliText::VerifyFailed, args.language).arg(address->text()).arg(diffs.size()));
    return diffs.isEmpty() ? Success : Differences;
}

int info(const Arguments &args)
{
    if (!scannerOf(args.words.at(0), args.language))
        return UsageError;
    // The fingerprint needs the whole configuration: a read-all, which asks
    // for the product information last.
    Configuration config;
    std::optional<ProductInfo> product;
    if (const int status = obtain(args.words.at(0), args.language, &config, &product); status != Success)
        return status;
    const ConfigFingerprint fingerprint = configFingerprint(config);
    if (args.json) {
        QJsonObject o = fingerprintJson(fingerprint);
        if (product)
            o.insert(QStringLiteral("product"),
                     QJsonObject{{QStringLiteral("type"), product->ProductType},
                                 {QStringLiteral("name"), productName(product->ProductType)},
                                 {QStringLiteral("firmware"), QString::number(product->FirmwareVersion / 100.0, 'f', 2)},
                                 {QStringLiteral("serial"), product->SerialNumber},
                                 {QStringLiteral("produced"), QStringLiteral("%1-%2-%3")
                                                                  .arg(product->Year, 4, 10, QLatin1Char('0'))
                                                                  .arg(product->Month, 2, 10, QLatin1Char('0'))
                                                                  .arg(product->Day, 2, 10, QLatin1Char('0'))}});
        // The parameters by the sensor dock's names and as it shows them, for audits.
        QJsonObject parameters;
        for (int row = 0; row < kSensorDockRows; ++row)
            if (isParameterRow(row))
                parameters.insert(parameterName(row, args.language), parameterValue(config, row, args.language));
        o.insert(QStringLiteral("parameters"), parameters);
        printJson(o);
        return Success;
    }
    if (product)
        out(productInfoText(*product, args.language));
    out(cliText(CliText::FingerprintLine, args.language).arg(fingerprint.text(args.language)));
    return Success;
}

int report(const Arguments &args)
{
    const QString &source = args.words.at(0);
    const QString &path = args.words.at(1);
    CommissioningReport report;
    report.language = args.language;
    report.date = QDate::currentDate();
    if (const int status = obtain(source, args.language, &report.config, &report.product); status != Success)
        return status;
    if (!looksLikeScanner(source))
        report.projectFile = source;
    report.fingerprint = configFingerprint(report.config);
    QString why;
    if (!report.save(path, &why)) {
        err(cliText(CliText::FileNotWritten, args.language).arg(path, why));
        return UsageError;
    }
    out(cliText(CliText::ReportWritten, args.language).arg(source, path).arg(report.pageCount()));
    out(cliText(CliText::FingerprintLine, args.language).arg(report.fingerprint.text(args.language)));
    // Written all the same: it says which area cannot be sent.
    return report.fingerprint.isValid() ? Success : Differences;
}

// A command that runs until its time is up or an interrupt, which ends it
// normally: the session opened, run, and its failure reported.
int untilInterrupted(const Arguments &args,
                     const std::function<bool(ScannerSession &, const ScannerAddress &)> &run)
{
    const std::optional<ScannerAddress> address = scannerOf(args.words.at(0), args.language);
    if (!address)
        return UsageError;
    ConsoleDialogs dialogs(args.language);
    DialogSeam::install(&dialogs);
    ScannerSession session(*address, args.language, &dialogs);
    session.setDeadline(g_deadline);
    bool ok = session.open();
    if (ok) {
        g_watching = &session;
        if (g_interrupted)
            session.stop();
        ok = run(session, *address);
        g_watching = nullptr;
    }
    DialogSeam::install(nullptr);
    if (!ok && session.interrupted()) {
        err(cliText(CliText::RecordInterrupted, args.language).arg(args.words.value(1)));
        return Interrupted;
    }
    if (!ok) {
        err(session.error());
        return LinkFailure;
    }
    return Success;
}

int watch(const Arguments &args)
{
    const int language = args.language;
    const bool json = args.json;
    return untilInterrupted(args, [&args, language, json](ScannerSession &session, const ScannerAddress &) {
        return session.watch(qMax(args.seconds, 0), [language, json](const ScannerSession::Status &s) {
            if (json) {
                const QJsonObject o{{QStringLiteral("inputs"), int(s.inputs)},     {QStringLiteral("outputs"), int(s.outputs)},
                                    {QStringLiteral("status"), int(s.status)},     {QStringLiteral("temperature"), s.temperature / 100.0},
                                    {QStringLiteral("speed"), s.speed},            {QStringLiteral("drive"), s.drive / 100.0},
                                    {QStringLiteral("send"), s.send / 100.0},      {QStringLiteral("receive"), s.receive / 100.0}};
                out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)));
                return;
            }
            // The scanner reports hundredths of a degree and of a volt; shown as the window shows them.
            auto hundredths = [](int v) { return QString::number(v / 100.0, 'f', 2); };
            auto hex = [](uint v, int width) { return QStringLiteral("0x%1").arg(v, width, 16, QLatin1Char('0')); };
            out(cliText(CliText::WatchLine, language)
                    .arg(hex(s.inputs, 2), hex(s.outputs, 2), hex(s.status, 4))
                    .arg(hundredths(s.temperature))
                    .arg(s.speed)
                    .arg(hundredths(s.drive), hundredths(s.send), hundredths(s.receive)));
        });
    });
}

int record(const Arguments &args)
{
    return untilInterrupted(args, [&args](ScannerSession &session, const ScannerAddress &address) {
        const QString path = args.words.at(1);
        qint64 bytes = 0;
        if (!session.record(path, qMax(args.seconds, 0), &bytes))
            return false;
        out(cliText(CliText::Recorded, args.language).arg(address.text(), path).arg(bytes));
        return true;
    });
}

int whatif(const Arguments &args)
{
    const WhatIfReport report = whatIfReport(args.words.at(0), args.words.at(1), args.json, args.language);
    for (const QString &line : report.err)
        err(line);
    for (const QString &line : report.out)
        out(line);
    return report.status;
}

int discover(const Arguments &args)
{
    ScannerDiscovery discovery;
    QSet<QString> seen;
    QObject::connect(&discovery, &ScannerDiscovery::replyReceived, &discovery,
                     [&](const QHostAddress &sender, const QByteArray &datagram) {
                         const QString mode = Discovery::modeText(datagram);
                         const QString host = QHostAddress(sender.toIPv4Address()).toString();
                         const QString scanner = (mode == QLatin1String("MODE: UDP") ? QStringLiteral("udp:")
                                                                                       : QStringLiteral("tcp:"))
                             + host;
                         if (seen.contains(scanner))
                             return;
                         seen.insert(scanner);
                         out(cliText(CliText::FoundScanner, args.language)
                                 .arg(scanner, mode.isEmpty() ? Discovery::replyText(datagram).simplified() : mode));
                     });
    discovery.search();
    QEventLoop loop;
    QTimer::singleShot((args.seconds > 0 ? args.seconds : 2) * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    discovery.release();
    if (seen.isEmpty()) {
        err(cliText(CliText::NoScannerFound, args.language));
        return Differences;
    }
    return Success;
}
} // namespace

QString commandOf(const QStringList &arguments)
{
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--lang"))
            ++i;
        else if (!arguments.at(i).startsWith(QLatin1Char('-')))
            return arguments.at(i);
    }
    return QString();
}

void interrupt()
{
    g_interrupted = true;
    if (g_watching)
        g_watching->stop();
}

int run(const QStringList &arguments)
{
    Arguments args;
    QString error;
    if (!parse(arguments, &args, &error)) {
        auto line = [](const QString &text) { std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData()); };
        const bool known = expectedWords(args.command) >= 0;
        if (args.command.isEmpty() && error == cliText(CliText::UsageTitle, args.language))
            line(error); // nothing to do: the usage is the message
        else
            err(error);
        // The command's own usage line, or where to find the commands.
        line(known ? cliText(helpOf(args.command), args.language).section(QLatin1Char('\n'), 0, 0)
                   : cliText(CliText::TryHelp, args.language));
        return UsageError;
    }
    if (args.help)
        return printHelp(args);
    g_deadline = QDeadlineTimer(args.deadline * 1000LL);
    const QString &c = args.command;
    if (c == QLatin1String("check"))
        return check(args);
    if (c == QLatin1String("diff"))
        return diff(args);
    if (c == QLatin1String("download"))
        return download(args);
    if (c == QLatin1String("upload"))
        return upload(args);
    if (c == QLatin1String("info"))
        return info(args);
    if (c == QLatin1String("watch"))
        return watch(args);
    if (c == QLatin1String("record"))
        return record(args);
    if (c == QLatin1String("whatif"))
        return whatif(args);
    if (c == QLatin1String("report"))
        return report(args);
    return discover(args);
}

} // namespace CliCommands
