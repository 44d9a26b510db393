#include "linkrecorder.h"

#include <QFileInfo>
#include <QTemporaryFile>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>

LinkRecorder::LinkRecorder(QObject *parent) : QObject(parent) {}

LinkRecorder::~LinkRecorder() { stop(); }

bool LinkRecorder::start(const QString &path, const RecordingHeader &header, QString *error)
{
    stop();
    // A name of its own in the same folder, so taking the chosen name is one
    // rename on the same file system.
    QTemporaryFile temporary(path + QStringLiteral(".XXXXXX"));
    temporary.setAutoRemove(false);
    if (!temporary.open()) {
        if (error)
            *error = temporary.errorString();
        return false;
    }
    temporary.close();
    // As a file written in place would be, not private to its owner.
    const QFileInfo existing(path);
    temporary.setPermissions(existing.exists() ? existing.permissions()
                                               : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    m_file.setFileName(temporary.fileName());
    m_path = path;
    m_named = false;
    // Unbuffered: what was received is in the file, not in this process,
    // when the program dies.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        if (error)
            *error = m_file.errorString();
        QFile::remove(m_file.fileName());
        return false;
    }
    m_written = 0;
    m_clock.start();
    if (!put(encodeRecordingPreamble() + encodeRecordingHeader(header))) {
        if (error)
            *error = m_file.errorString();
        discard();
        return false;
    }
    return true;
}

bool LinkRecorder::takeName(QString *error)
{
    if (m_named)
        return true;
    // The open file keeps being written under its new name; an existing file
    // of that name is replaced at once, never left half-written.
    if (std::rename(QFile::encodeName(m_file.fileName()).constData(), QFile::encodeName(m_path).constData()) != 0) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    m_named = true;
    return true;
}

void LinkRecorder::close()
{
    m_file.close();
    m_clock.invalidate();
}

bool LinkRecorder::stop(QString *error)
{
    if (!m_file.isOpen())
        return true;
    const bool ended = put(encodeRecordingEnd(elapsedUs()));
    QString why = ended ? QString() : m_file.errorString();
    close();
    // Without traffic in it, a recording whose end did not make it to the
    // disk does not replace anything.
    if (!m_named && (!ended || !takeName(&why)))
        QFile::remove(m_file.fileName());
    if (why.isEmpty())
        return true;
    if (error)
        *error = why;
    return false;
}

void LinkRecorder::discard()
{
    if (!m_file.isOpen())
        return;
    if (m_named) {
        stop();
        return;
    }
    close();
    QFile::remove(m_file.fileName());
}

void LinkRecorder::write(bool sent, const QByteArray &bytes)
{
    if (!m_file.isOpen() || bytes.isEmpty())
        return;
    const qint64 now = elapsedUs();
    QString reason;
    for (int at = 0; at < bytes.size(); at += Recording::MaxChunk) {
        const RecordingChunk chunk{sent, now, bytes.mid(at, Recording::MaxChunk)};
        if (!put(encodeRecordingChunk(chunk))) {
            reason = m_file.errorString();
            break;
        }
    }
    if (reason.isEmpty() && takeName(&reason))
        return;
    const bool named = m_named;
    close();
    if (!named)
        QFile::remove(m_file.fileName());
    // Told from the event loop: a box opened here would stall the link's
    // receive path that is writing.
    QTimer::singleShot(0, this, [this, reason] { emit failed(reason); });
}

bool LinkRecorder::put(const QByteArray &record)
{
    if (m_file.write(record) != record.size())
        return false;
    m_written += record.size();
    return true;
}
