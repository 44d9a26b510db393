#include "teachrun.h"

#include "teachin.h"

#include <QThread>
#include <memory>

namespace {
// Far above the slowest teach seen (0.6 s): only a wedged machine gets here.
constexpr unsigned long kShutdownWaitMs = 10000;
} // namespace

TeachRun::TeachRun(QObject *parent) : QObject(parent) {}

TeachRun::~TeachRun()
{
    if (!m_thread)
        return;
    QThread *thread = m_thread;
    thread->disconnect(this);
    // A thread object deleted while its thread runs ends the process: should
    // the wait run out, the object is left to the thread's own end.
    if (thread->wait(kShutdownWaitMs))
        delete thread;
    else
        QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
}

bool TeachRun::start(const QVector<double> &degrees, const QVector<quint16> &nearest, double margin)
{
    if (running())
        return false;
    auto result = std::make_shared<std::optional<QVector<QPoint>>>();
    QThread *thread = QThread::create([degrees, nearest, margin, result] {
        *result = TeachIn::teach(degrees, nearest, margin);
    });
    m_thread = thread;
    // finished() is delivered here, on this object's thread, after the
    // run's last write to the result.
    connect(thread, &QThread::finished, this, [this, thread, result] {
        thread->deleteLater();
        m_thread.clear();
        emit finished(*result);
    });
    thread->start();
    return true;
}
