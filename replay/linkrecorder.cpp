#include "linkrecorder.h"

LinkRecorder::LinkRecorder(QObject *parent) : QObject(parent) {}

LinkRecorder::~LinkRecorder() { stop(); }

bool LinkRecorder::start(const QString &path, const RecordingHeader &header, QString *error)
{
    stop();
    m_file.setFileName(path);
    // Unbuffered: what was received is in the file, not in this process,
    // when the program dies.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        if (error)
            *error = m_file.errorString();
        return false;
    }
    m_written = 0;
    m_clock.start();
    if (!put(encodeRecordingPreamble() + encodeRecordingHeader(header))) {
        if (error)
            *error = m_file.errorString();
        m_file.close();
        return false;
    }
    return true;
}

void LinkRecorder::stop()
{
    if (!m_file.isOpen())
        return;
    put(encodeRecordingEnd(elapsedUs()));
    m_file.close();
    m_clock.invalidate();
}

void LinkRecorder::write(bool sent, const QByteArray &bytes)
{
    if (!m_file.isOpen() || bytes.isEmpty())
        return;
    const qint64 now = elapsedUs();
    for (int at = 0; at < bytes.size(); at += Recording::MaxChunk) {
        const RecordingChunk chunk{sent, now, bytes.mid(at, Recording::MaxChunk)};
        if (!put(encodeRecordingChunk(chunk))) {
            const QString reason = m_file.errorString();
            m_file.close();
            m_clock.invalidate();
            emit failed(reason);
            return;
        }
    }
}

bool LinkRecorder::put(const QByteArray &record)
{
    if (m_file.write(record) != record.size())
        return false;
    m_written += record.size();
    return true;
}
