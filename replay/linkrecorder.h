#pragma once

#include "recording.h"
#include "traffictap.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>

// Writes a recording while the link runs. Every record goes to the file as it
// happens, unbuffered, so a crash of the program or a pulled cable leaves a
// file that reads up to the last bytes received. The file is written under a
// temporary name beside the chosen one and takes its name when the first
// record of traffic is in it (or at the end): a recording stopped before it
// began leaves a file of that name untouched.
class LinkRecorder : public QObject, public TrafficTap
{
    Q_OBJECT
public:
    explicit LinkRecorder(QObject *parent = nullptr);
    ~LinkRecorder() override;

    // Creates the file and writes preamble and header. False with the
    // system's reason in *error when the file cannot be written.
    bool start(const QString &path, const RecordingHeader &header, QString *error = nullptr);
    // Writes the end record, closes the file and gives it its name. False
    // with the reason in *error when any of that failed: the file then holds
    // what was written before, without its end.
    bool stop(QString *error = nullptr);
    // Ends a recording that holds no traffic yet by removing it: the file of
    // the chosen name stays as it was. Stops as stop() does once traffic is in.
    void discard();
    bool isRecording() const { return m_file.isOpen(); }
    bool holdsTraffic() const { return m_named; }
    QString path() const { return m_path; }
    qint64 bytesWritten() const { return m_written; }
    qint64 elapsedUs() const { return m_clock.isValid() ? m_clock.nsecsElapsed() / 1000 : 0; }

    void received(const QByteArray &bytes) override { write(false, bytes); }
    void sent(const QByteArray &bytes) override { write(true, bytes); }

signals:
    // Writing failed (a full disk, a removed stick): the recording stopped
    // and the file holds what was written before. Emitted from the event
    // loop, never from inside the link's receive path that was writing.
    void failed(const QString &reason);

private:
    void write(bool sent, const QByteArray &bytes);
    bool put(const QByteArray &record);
    bool takeName(QString *error);
    void close();

    QFile m_file;
    QString m_path;
    bool m_named = false;
    QElapsedTimer m_clock;
    qint64 m_written = 0;
};
