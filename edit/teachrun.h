#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QVector>
#include <optional>

class QThread;

// Runs the teach-in's polygon search on a thread of its own: with a wide
// margin it takes most of a second, which the window must not freeze for.
// The result comes back on the thread that owns this object. One run at a
// time.
class TeachRun : public QObject
{
    Q_OBJECT
public:
    explicit TeachRun(QObject *parent = nullptr);
    // Waits (bounded) for a run under way; its result is then dropped.
    ~TeachRun() override;

    bool running() const { return !m_thread.isNull(); }
    // False, and nothing started, while a run is under way.
    bool start(const QVector<double> &degrees, const QVector<quint16> &nearest, double margin);

signals:
    // The teach's polygon, or nothing when it could not be taught.
    void finished(const std::optional<QVector<QPoint>> &points);

private:
    QPointer<QThread> m_thread;
};
