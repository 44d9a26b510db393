// scanner-emulator: a scanner of the family that answers in its place over
// TCP, UDP, a serial line and discovery. See --help.

#include "emulatorserver.h"
#include "recordedworld.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

// Ctrl+C and kill end the event loop normally, so the state file is written
// and the pseudo-terminal link removed.
void quitOnSignals(QCoreApplication &app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
        char c;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[0], &c, 1);
        app.quit();
    });
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGHUP, &sa, nullptr);
}
// Commands on standard input, a line at a time; the answer to each goes to
// standard output, so whoever sends them knows when they took effect.
void readControlLines(QCoreApplication &app, EmulatorServer &server)
{
    auto *notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &app);
    auto *pending = new QByteArray;
    QObject::connect(notifier, &QObject::destroyed, [pending] { delete pending; });
    QObject::connect(notifier, &QSocketNotifier::activated, &server, [notifier, pending, &server] {
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            notifier->setEnabled(false); // the other end closed: no more commands
            return;
        }
        pending->append(buffer, int(n));
        for (int end = pending->indexOf('\n'); end >= 0; end = pending->indexOf('\n')) {
            const QString line = QString::fromLocal8Bit(pending->left(end)).trimmed();
            pending->remove(0, end + 1);
            if (!line.isEmpty()) {
                std::printf("%s\n", server.control(line).toLocal8Bit().constData());
                std::fflush(stdout);
            }
        }
    });
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("scanner-emulator"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));

    QString error;
    const std::optional<EmulatorOptions> options = parseEmulatorOptions(app.arguments().mid(1), &error);
    if (!options) {
        std::fprintf(stderr, "scanner-emulator: %s\nTry --help.\n", error.toLocal8Bit().constData());
        return 2;
    }
    if (options->help) {
        std::fputs(emulatorHelpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (options->version) {
        std::puts("scanner-emulator 1.0");
        return 0;
    }

    EmulatorState state = EmulatorState::factory();
    if (!options->stateFile.isEmpty() && QFileInfo::exists(options->stateFile)) {
        const std::optional<EmulatorState> loaded = EmulatorState::load(options->stateFile, &error);
        if (!loaded) {
            // Refuse rather than overwrite a file we cannot read.
            std::fprintf(stderr, "scanner-emulator: state file %s: %s\n",
                         options->stateFile.toLocal8Bit().constData(), error.toLocal8Bit().constData());
            return 2;
        }
        state = *loaded;
    }
    std::shared_ptr<const RecordedWorld> recorded;
    if (!options->replayFile.isEmpty()) {
        const QByteArray path = options->replayFile.toLocal8Bit();
        QString warning;
        std::optional<RecordedWorld> world = RecordedWorld::load(options->replayFile, &error, &warning);
        if (!world) {
            std::fprintf(stderr, "scanner-emulator: recording %s: %s\n", path.constData(),
                         error.toLocal8Bit().constData());
            return 2;
        }
        if (!warning.isEmpty())
            std::fprintf(stderr, "scanner-emulator: recording %s: %s\n", path.constData(),
                         warning.toLocal8Bit().constData());
        std::fprintf(stderr, "scanner-emulator: replaying %d scans and %d IO status replies from %s, %.3f s a loop\n",
                     world->scanCount(), world->statusCount(), path.constData(), world->durationMs() / 1000.0);
        if (world->scanCount() == 0)
            std::fprintf(stderr, "scanner-emulator: no scan recorded; the synthetic room is scanned\n");
        // The tool is to see the recorded scanner; options given still win.
        if (world->header().productKnown)
            state.product = world->header().product;
        if (world->header().parametersKnown)
            state.stored = world->header().parameters;
        recorded = std::make_shared<const RecordedWorld>(std::move(*world));
    }
    if (options->productTypeGiven)
        state.product.ProductType = quint16(options->productType);
    if (options->firmware >= 0)
        state.product.FirmwareVersion = quint16(options->firmware);
    if (options->serialNumber >= 0)
        state.product.SerialNumber = quint16(options->serialNumber);
    if (options->date.isValid()) {
        state.product.Year = quint16(options->date.year());
        state.product.Month = quint16(options->date.month());
        state.product.Day = quint16(options->date.day());
    }

    quitOnSignals(app);
    EmulatorServer server(*options, state);
    server.replay(recorded);
    if (!server.start(&error)) {
        std::fprintf(stderr, "scanner-emulator: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    if (options->control)
        readControlLines(app, server);
    return app.exec();
}
