#include "comparecontroller.h"

#include "serial_comm.h"

CompareController::CompareController(SERIAL_COMM *link, std::function<Configuration()> project, QObject *parent)
    : QObject(parent), m_link(link), m_project(std::move(project))
{
    connect(m_link, &SERIAL_COMM::ReadCopyFinished, this, &CompareController::readFinished);
}

void CompareController::setState(State state)
{
    m_state = state;
    emit changed();
}

bool CompareController::compare()
{
    if (!m_link->ReadSensorAllDataIntoCopy())
        return false;
    m_verification = false;
    setState(State::Reading);
    return true;
}

void CompareController::readFinished(bool complete)
{
    const bool verifying = m_state == State::Verifying;
    if (!verifying && m_state != State::Reading)
        return;
    m_cachedLanguage = -1;
    if (!complete) {
        // A comparison that did not finish is no comparison: nothing stale
        // may pass for what the scanner holds.
        m_scanner.reset();
        setState(State::ReadFailed);
        if (verifying)
            emit verified(-1);
        return;
    }
    const ScannerCopy &copy = m_link->readCopy();
    m_scanner = ScannerComparison::scannerConfiguration(copy.parameters, copy.areas);
    m_projectAsCompared = m_project();
    m_verification = verifying;
    setState(State::Compared);
    if (verifying)
        emit verified(differences(0).size());
}

QVector<Difference> CompareController::differences(int language) const
{
    if (!m_scanner)
        return {};
    if (m_cachedLanguage != language) {
        m_cached = diffConfigurations(m_projectAsCompared, *m_scanner, language);
        m_cachedLanguage = language;
    }
    return m_cached;
}

void CompareController::recompare()
{
    if (!m_scanner)
        return;
    m_projectAsCompared = m_project();
    m_cachedLanguage = -1;
    emit changed();
}

ScannerComparison::WritePlan CompareController::plan(bool writeReversed) const
{
    if (!m_scanner)
        return {};
    const Configuration project = m_project();
    const SensorParameters words = project.words ? *project.words
                                                 : SensorParameters::defaults();
    return ScannerComparison::planWrite(project.areas, words, writeReversed, *m_scanner);
}

void CompareController::rememberParameters(quint32 step, const SensorParameters &before, const SensorParameters &after)
{
    m_parameterSteps.insert(step, {before, after});
}

std::optional<SensorParameters> CompareController::parametersOfStep(quint32 step, bool undone) const
{
    const auto it = m_parameterSteps.constFind(step);
    if (it == m_parameterSteps.constEnd())
        return std::nullopt;
    return undone ? it->first : it->second;
}

void CompareController::writeFinished(bool restart)
{
    m_cachedLanguage = -1;
    if (!m_verify) {
        // The copy no longer holds what the scanner does.
        m_scanner.reset();
        setState(State::Written);
        return;
    }
    if (restart)
        setState(State::AwaitingRestart);
    else
        startVerification();
}

void CompareController::writeRefused()
{
    m_cachedLanguage = -1;
    if (m_verify) {
        startVerification();
        return;
    }
    m_scanner.reset();
    setState(State::NotCompared);
}

void CompareController::scannerBack()
{
    if (m_state == State::AwaitingRestart)
        startVerification();
}

void CompareController::startVerification()
{
    m_scanner.reset();
    if (m_link->ReadSensorAllDataIntoCopy()) {
        setState(State::Verifying);
        return;
    }
    setState(State::ReadFailed);
    emit verified(-1);
}

void CompareController::connectionClosed()
{
    const bool awaited = m_state == State::AwaitingRestart;
    m_scanner.reset();
    m_cachedLanguage = -1;
    if (m_state != State::NotCompared)
        setState(awaited ? State::ReadFailed : State::NotCompared);
    if (awaited)
        emit verified(-1);
}
