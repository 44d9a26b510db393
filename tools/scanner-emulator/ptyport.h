#pragma once

// A pseudo-terminal the emulator answers on: the tool opens the slave side by
// its path like any serial port; the emulator reads and writes the master.

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

class PtyPort : public QObject
{
    Q_OBJECT
public:
    explicit PtyPort(QObject *parent = nullptr);
    ~PtyPort() override;

    bool open(QString *error);
    QString slavePath() const { return m_slavePath; }
    void write(const QByteArray &bytes);
    qint64 bytesToWrite() const { return m_out.size(); }

signals:
    void received(const QByteArray &bytes);

private:
    void readAvailable();
    void flush();

    int m_master = -1;
    int m_slave = -1; // kept open so the master never sees a hang-up between tool sessions
    QString m_slavePath;
    QByteArray m_out;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
};
