#pragma once

#include "recording.h"
#include "traffictap.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>

// Writes a recording while the link runs. Every record goes to the file as it
// happens, unbuffered, so a crash of the program or a pulled cable leaves a
// file that reads up to the last bytes received.
class LinkRecorder : public QObject, public TrafficTap
{
    Q_OBJECT
public:
    explicit LinkRecorder(QObject *parent = nullptr);
    ~LinkRecorder() override;

    // Creates the file and writes preamble and header. False with the
    // system's reason in *error when the file cannot be written.
    bool start(const QString &path, const RecordingHeader &header, QString *error = nullptr);
    // Writes the end record and closes the file.
    void stop();
    bool isRecording() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }
    qint64 bytesWritten() const { return m_written; }
    qint64 elapsedUs() const { return m_clock.isValid() ? m_clock.nsecsElapsed() / 1000 : 0; }

    void received(const QByteArray &bytes) override { write(false, bytes); }
    void sent(const QByteArray &bytes) override { write(true, bytes); }

signals:
    // Writing failed (a full disk, a removed stick): the recording stopped
    // and the file holds what was written before.
    void failed(const QString &reason);

private:
    void write(bool sent, const QByteArray &bytes);
    bool put(const QByteArray &record);

    QFile m_file;
    QElapsedTimer m_clock;
    qint64 m_written = 0;
};
