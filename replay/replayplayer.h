#pragma once

#include "recording.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QVector>
#include <memory>

class SERIAL_COMM;
struct LinkState;

// Plays a recording into the link's receive path, as the device's reads came
// in live: the displays cannot tell replay from a scanner. Paced in real time,
// four times as fast or as fast as the machine goes; a position can be
// jumped to, and single steps go one scan at a time.
class ReplayPlayer : public QObject
{
    Q_OBJECT
public:
    enum Speed { RealTime, Fourfold, Fastest };

    // The link state gets the recorded connection while the recording is
    // open, and its own back when it closes.
    ReplayPlayer(SERIAL_COMM *link, LinkState *state, QObject *parent = nullptr);
    ~ReplayPlayer() override;

    // Opens and indexes the recording; the link goes into replay. False when
    // it cannot be played at all. *message gets the one line the user should
    // read (a cut or damaged file plays up to the cut), empty when all is well.
    bool open(const QString &path, QString *message, int language = 0);
    void close();
    bool isOpen() const { return m_reader != nullptr; }
    const RecordingHeader &header() const { return m_header; }
    RecordingStatus status() const { return m_status; }
    qint64 durationUs() const { return m_durationUs; }
    qint64 positionUs() const { return m_positionUs; }
    bool isPlaying() const { return m_playing; }
    Speed speed() const { return m_speed; }

public slots:
    void play();
    void pause();
    // Plays up to the next whole scan, then pauses.
    void step();
    void setSpeed(Speed speed);
    // Jumps: the link forgets its partial frames and takes the recording
    // from the nearest indexed point before the time up to it.
    void seek(qint64 timeUs);

signals:
    void positionChanged(qint64 timeUs);
    void playingChanged(bool playing);
    void finished();

private:
    struct IndexEntry
    {
        qint64 timeUs;
        qint64 offset;
    };
    void feedDue();
    bool peek();    // the next received chunk into m_pending; false at the end
    bool feedOne(); // false at the end
    void schedule();
    void restartClock();

    QPointer<SERIAL_COMM> m_link; // the window may take the link down first
    LinkState *m_state;
    struct Saved
    {
        int kind = 0, mode = 0;
        bool reversed = false;
    } m_saved;
    QFile m_file;
    std::unique_ptr<RecordingReader> m_reader;
    RecordingHeader m_header;
    RecordingStatus m_status = RecordingStatus::Unreadable;
    QVector<IndexEntry> m_index;
    qint64 m_durationUs = 0;
    qint64 m_positionUs = 0;
    bool m_playing = false;
    bool m_stepping = false;
    bool m_scanSeen = false;
    bool m_havePending = false;
    Speed m_speed = RealTime;
    RecordingChunk m_pending;
    qint64 m_readUs = 0; // steadied time of the chunk read last
    QElapsedTimer m_clock;
    qint64 m_clockStartUs = 0; // recording time when m_clock started
    QTimer m_timer;
};
