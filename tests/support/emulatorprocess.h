#pragma once

// The real scanner-emulator program for tests: started on free loopback ports
// with a pseudo-terminal, its frame log collected. EMULATOR_PATH is set by the
// test's build.

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

// A running emulator on free loopback ports with a pseudo-terminal.
struct Emulator
{
    QProcess process;
    quint16 port = 0;
    QString pty;

    bool start(const QStringList &extra)
    {
        process.setProgram(QStringLiteral(EMULATOR_PATH));
        process.setArguments(QStringList{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--pty")}
                             + extra);
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start();
        if (!process.waitForStarted(5000))
            return false;
        QByteArray out;
        QElapsedTimer clock;
        clock.start();
        while (!out.contains("Ready\n") && clock.elapsed() < 10000)
            if (!process.waitForReadyRead(200) && process.state() != QProcess::Running)
                return false;
            else
                out += process.readAllStandardOutput();
        const QString text = QString::fromLocal8Bit(out);
        const QRegularExpressionMatch tcp = QRegularExpression(QStringLiteral("TCP listening on 127.0.0.1:(\\d+)")).match(text);
        const QRegularExpressionMatch serial = QRegularExpression(QStringLiteral("pseudo-terminal (\\S+)")).match(text);
        if (!tcp.hasMatch() || !serial.hasMatch())
            return false;
        port = quint16(tcp.captured(1).toUInt());
        pty = serial.captured(1);
        return true;
    }

    // A line for an emulator started with --control ("fault RULE", "clear"):
    // true once it answered without an error.
    bool command(const QString &line)
    {
        process.write(line.toLocal8Bit() + '\n');
        QByteArray answer;
        QElapsedTimer clock;
        clock.start();
        while (!answer.contains('\n') && clock.elapsed() < 5000 && process.state() == QProcess::Running)
            if (process.waitForReadyRead(100))
                answer += process.readAllStandardOutput();
        const bool ok = answer.endsWith('\n') && !answer.startsWith("error:");
        if (!ok)
            qWarning("emulator: %s: %s", qPrintable(line), answer.constData());
        return ok;
    }

    QString stderrText;
    // Everything logged so far (accumulates: read it with QTRY_* to let it arrive).
    QString log()
    {
        stderrText += QString::fromLocal8Bit(process.readAllStandardError());
        return stderrText;
    }

    void stop()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(5000))
            process.kill();
        process.waitForFinished(2000);
    }
    ~Emulator() { stop(); }
};

