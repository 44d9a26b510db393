#pragma once

#include "configdiff.h"
#include "configuration.h"
#include "scannercomparison.h"
#include "sensorparameters.h"

#include <QHash>
#include <QObject>
#include <QPair>
#include <functional>
#include <optional>

class SERIAL_COMM;

// The project beside the scanner, without widgets: reads the scanner's whole
// configuration into a copy (never into the project), keeps the differences,
// says what a write of only those sends, and reads back after every write
// to verify it when that is switched on.
class CompareController : public QObject
{
    Q_OBJECT
public:
    enum class State {
        NotCompared,
        Reading,
        Compared,
        ReadFailed,
        Written,         // written with verification off: the copy is out of date
        AwaitingRestart, // written, restart asked: verifying once the scanner is back
        Verifying,
    };

    // project: the configuration the window holds now (areas, the dock's
    // rows and words, its class).
    CompareController(SERIAL_COMM *link, std::function<Configuration()> project, QObject *parent = nullptr);

    State state() const { return m_state; }
    // Starts reading the scanner into the copy; false while another
    // transfer runs or nothing is connected.
    bool compare();
    bool hasComparison() const { return m_scanner.has_value(); }
    // What the scanner held at the last read; only with a comparison.
    const Configuration &scanner() const { return *m_scanner; }
    // The last comparison came from a read-back after a write.
    bool isVerification() const { return m_verification; }
    // The differences of the project as compared from the scanner, in the
    // libraries' language numbering (0 English, 1 Chinese).
    QVector<Difference> differences(int language) const;
    // The project as it is now against the same copy, nothing read: after
    // taking a part from the scanner.
    void recompare();
    // What a write of the differences sends now, the link writing zones
    // mirrored or not.
    ScannerComparison::WritePlan plan(bool writeReversed) const;

    void setVerifyAfterWrite(bool on) { m_verify = on; }
    bool verifyAfterWrite() const { return m_verify; }

    // A take of the parameter block, undone and redone with its step.
    void rememberParameters(quint32 step, const SensorParameters &before, const SensorParameters &after);
    std::optional<SensorParameters> parametersOfStep(quint32 step, bool undone) const;

public slots:
    // The link's WriteFinished: verify now, after the restart, or not at all.
    void writeFinished(bool restart);
    // The link's WriteRefused: what the scanner holds now is read back, or,
    // with verification off, no longer known.
    void writeRefused();
    // The scanner restarted on request answers again.
    void scannerBack();
    // The connection ended: a comparison of that scanner says nothing about
    // the next one.
    void connectionClosed();

signals:
    void changed();
    // A verification ended: the number of differences, or -1 when the
    // read-back did not complete.
    void verified(int differences);

private:
    void readFinished(bool complete);
    void startVerification();
    void setState(State state);

    SERIAL_COMM *m_link;
    std::function<Configuration()> m_project;
    State m_state = State::NotCompared;
    bool m_verify = true;
    bool m_verification = false;
    std::optional<Configuration> m_scanner;
    Configuration m_projectAsCompared;
    mutable int m_cachedLanguage = -1;
    mutable QVector<Difference> m_cached;
    QHash<quint32, QPair<SensorParameters, SensorParameters>> m_parameterSteps;
};
