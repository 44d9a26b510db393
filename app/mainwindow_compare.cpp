// The main window's comparison with the scanner: the scanner read into a
// copy beside the project, its differences in a dock, marked in the area
// table and drawn over the zones; taking parts from it, writing only what
// differs, and the read-back after every write.

#include "mainwindow.h"

#include "appsettingsdialog.h"
#include "area_table.h"
#include "comparecontroller.h"
#include "comparepanel.h"
#include "comparetexts.h"
#include "coord_table.h"
#include "edit_control.h"
#include "option_scene.h"
#include "sensor_setting.h"
#include "serial_comm.h"
#include "ui_mainwindow.h"
#include "viewportchoice.h"

#include <QDockWidget>
#include <QLabel>
#include <QScrollArea>
#include <QStatusBar>
#include <QTableWidget>

namespace {
using ScannerComparison::Part;
// The libraries count the languages the other way round: 0 English, 1 Chinese.
int libraryLanguage(int languageFlag) { return languageFlag == 1 ? 0 : 1; }
} // namespace

Configuration MainWindow::projectConfiguration() const
{
    Configuration config;
    config.deviceClass = DeviceClass;
    config.rows = currentSensorDockState();
    config.areas = m_data->Areas;
    config.words = *Parameters;
    return config;
}

void MainWindow::createComparison()
{
    m_compare = new CompareController(link, [this] { return projectConfiguration(); }, this);
    m_compare->setVerifyAfterWrite(AppSettingsDialog::storedVerifyAfterWrite());
    m_comparePanel = new ComparePanel;
    CompareDock = new QDockWidget(this);
    CompareDock->setObjectName(QStringLiteral("CompareDock"));
    CompareDock->setWidget(m_comparePanel);
    addDockWidget(Qt::RightDockWidgetArea, CompareDock);
    CompareDock->hide();
    m_appSettings = new AppSettingsDialog(this);
    m_appSettings->setWindowModality(Qt::ApplicationModal);

    connect(ui->CompareScanner, &QAction::triggered, this, &MainWindow::compareWithScanner);
    connect(ui->WriteDifferences, &QAction::triggered, this, &MainWindow::writeDifferences);
    connect(ui->AppSettings, &QAction::triggered, this, &MainWindow::openAppSettings);
    connect(m_appSettings, &QDialog::accepted, this, [this] {
        m_compare->setVerifyAfterWrite(m_appSettings->verifyAfterWrite());
        AppSettingsDialog::storeVerifyAfterWrite(m_appSettings->verifyAfterWrite());
        ViewportChoice::store(ViewportChoice::Mode(m_appSettings->viewportChoice()));
    });
    connect(m_comparePanel, &ComparePanel::refreshRequested, this, &MainWindow::compareWithScanner);
    connect(m_comparePanel, &ComparePanel::takeRequested, this, &MainWindow::takeFromScanner);
    connect(m_comparePanel, &ComparePanel::writeRequested, this, &MainWindow::writeDifferences);
    connect(m_comparePanel, &ComparePanel::differenceActivated, this, &MainWindow::goToDifference);
    connect(m_comparePanel, &ComparePanel::areaActivated, this, &MainWindow::goToArea);
    // Every write the window makes, all or differences, is verified.
    connect(link, &SERIAL_COMM::WriteFinished, m_compare, &CompareController::writeFinished);
    connect(link, &SERIAL_COMM::WriteRefused, m_compare, &CompareController::writeRefused);
    connect(m_compare, &CompareController::changed, this, &MainWindow::showComparison);
    connect(m_compare, &CompareController::verified, this, &MainWindow::showVerification);
    connect(areaTable, &AREA_TABLE::LinkedStepSignal, this, &MainWindow::linkedStepChanged);
}

void MainWindow::retranslateComparison(int flag)
{
    CompareDock->setWindowTitle(CompareTexts::dockTitle(flag));
    m_comparePanel->retranslate(flag);
    m_appSettings->retranslate(flag);
    showComparison();
}

void MainWindow::updateCompareActions()
{
    const bool connected = isConnected();
    const bool write = connected && m_compare->state() == CompareController::State::Compared;
    ui->CompareScanner->setEnabled(connected);
    ui->WriteDifferences->setEnabled(write);
    m_comparePanel->setButtonsEnabled(connected, write);
}

void MainWindow::showComparison()
{
    const int language = libraryLanguage(LanguageFlag);
    const QVector<Difference> diffs = m_compare->differences(language);
    QString summary;
    switch (m_compare->state()) {
    case CompareController::State::NotCompared: summary = CompareTexts::notCompared(LanguageFlag); break;
    case CompareController::State::Reading: summary = CompareTexts::reading(LanguageFlag); break;
    case CompareController::State::ReadFailed: summary = CompareTexts::readFailed(LanguageFlag); break;
    case CompareController::State::Written: summary = CompareTexts::writtenNotVerified(LanguageFlag); break;
    case CompareController::State::AwaitingRestart: summary = CompareTexts::awaitingRestart(LanguageFlag); break;
    case CompareController::State::Verifying: summary = CompareTexts::verifying(LanguageFlag); break;
    case CompareController::State::Compared:
        summary = diffs.isEmpty() ? CompareTexts::equal(LanguageFlag)
                                  : CompareTexts::differenceCount(LanguageFlag, diffs.size());
        if (m_compare->isVerification())
            summary = CompareTexts::verifiedResult(LanguageFlag, summary);
        break;
    }
    m_comparePanel->showDifferences(summary, diffs, differenceLines(diffs, language), LanguageFlag);
    areaTable->MarkDifferingAreas(ScannerComparison::differingAreas(diffs), CompareTexts::differsTip(LanguageFlag));
    optionScene->setScannerAreas(m_compare->hasComparison() ? m_compare->scanner().areas : QVector<AreaRecord>());
    updateCompareActions();
}

void MainWindow::showVerification(int differences)
{
    if (differences == 0) {
        statusBar()->showMessage(CompareTexts::verified(LanguageFlag));
        return;
    }
    if (differences < 0) {
        statusBar()->showMessage(CompareTexts::notVerified(LanguageFlag));
        return;
    }
    statusBar()->showMessage(CompareTexts::verifyFoundDifferences(LanguageFlag, differences));
    showCompareDock();
}

void MainWindow::showCompareDock()
{
    if (!CompareDock->isVisible()) {
        CompareDock->show();
        // Room for its lines beside the sensor dock it shares the side with.
        if (!CompareDock->isFloating() && dockWidgetArea(CompareDock) == dockWidgetArea(ui->SensorSettingDock)
            && ui->SensorSettingDock->isVisible())
            resizeDocks({ui->SensorSettingDock, CompareDock}, {1, 1}, Qt::Vertical);
    }
    CompareDock->raise();
}

void MainWindow::compareWithScanner()
{
    showCompareDock();
    // A message of an earlier write or comparison no longer holds.
    statusBar()->clearMessage();
    if (!m_compare->compare())
        statusBar()->showMessage(CompareTexts::busy(LanguageFlag));
}

void MainWindow::writeDifferences()
{
    if (!isConnected() || m_compare->state() != CompareController::State::Compared)
        return;
    if (link->transferRunning()) {
        statusBar()->showMessage(CompareTexts::busy(LanguageFlag));
        return;
    }
    const ScannerComparison::WritePlan plan = m_compare->plan(link->writeReversed());
    if (plan.isEmpty()) {
        statusBar()->showMessage(CompareTexts::nothingToWrite(LanguageFlag));
        return;
    }
    // Refused (an area the link cannot send) with its own box.
    link->writeSelected(plan.areas, plan.caseTable, plan.parameters);
}

void MainWindow::refreshEditors()
{
    editControl->EditControlUpdateEditData();
    coordTable->CoordTableWidgeUpdate();
    areaTable->AreaTableWidgetAllDisplay();
    optionScene->UpdataPaintOutline();
    optionScene->CoordTableUpdatePointItem();
    showModified();
}

void MainWindow::takeFromScanner()
{
    if (!m_compare->hasComparison())
        return;
    const Configuration &scanner = m_compare->scanner();
    QString taken;
    switch (m_comparePanel->selectedPart()) {
    case Part::Parameters: {
        const SensorParameters before = *Parameters;
        *Parameters = scanner.words ? *scanner.words : SensorParameters::defaults();
        sensorSetting->UpdateParametersToDock();
        if (*Parameters == before)
            return;
        // One step, undone with the area that is current now.
        const quint32 step = areaTable->SaveLinkedUndoAreaTableData({m_data->currentAreaIndex()});
        m_compare->rememberParameters(step, before, *Parameters);
        taken = CompareTexts::takenParameters(LanguageFlag);
        break;
    }
    case Part::CaseTable: {
        QVector<int> changed = ScannerComparison::takeCaseTable(m_data->Areas, scanner.areas);
        if (changed.isEmpty())
            return;
        // Undone from the current area as from any of the rows taken.
        changed.append(m_data->currentAreaIndex());
        areaTable->SaveLinkedUndoAreaTableData(changed);
        taken = CompareTexts::takenCaseTable(LanguageFlag);
        break;
    }
    case Part::Areas: {
        const int area = m_comparePanel->selectedArea();
        if (area < 0 || area >= EditData::AreaCount)
            return;
        goToArea(area);
        if (!ScannerComparison::takeArea(m_data->Areas[area], scanner.areas.at(area)))
            return;
        areaTable->SaveUndoAreaTableData();
        taken = CompareTexts::takenArea(LanguageFlag, area);
        break;
    }
    case Part::None:
        return;
    }
    refreshEditors();
    // What was taken no longer differs; the scanner is not read again.
    m_compare->recompare();
    statusBar()->showMessage(taken);
}

void MainWindow::linkedStepChanged(quint32 step, bool undone)
{
    if (const std::optional<SensorParameters> words = m_compare->parametersOfStep(step, undone)) {
        *Parameters = *words;
        sensorSetting->UpdateParametersToDock();
    }
}

void MainWindow::goToArea(int area)
{
    if (area < 0 || area >= EditData::AreaCount)
        return;
    if (!ui->EditionControlDock->isVisible()) {
        ui->Edition->setChecked(true);
        OpenCloseEditionDock(true);
    }
    areaTable->AreaTableClickChangeSlots(area, 0);
    ui->AreaTableWidget->selectRow(area);
    ui->AreaTableWidget->scrollToItem(ui->AreaTableWidget->item(area, 0));
}

void MainWindow::goToDifference(int index)
{
    const QVector<Difference> diffs = m_compare->differences(libraryLanguage(LanguageFlag));
    if (index < 0 || index >= diffs.size())
        return;
    const Difference &d = diffs.at(index);
    switch (ScannerComparison::partOf(d)) {
    case Part::Parameters:
        if (QWidget *field = sensorSetting->rowWidget(d.row)) {
            ui->SensorSetting->setChecked(true);
            ui->SensorSettingDock->show();
            ui->SensorScrollArea->ensureWidgetVisible(field);
            field->setFocus();
        }
        return;
    case Part::CaseTable:
        goToArea(d.area);
        ui->ParametersEditTab->setCurrentWidget(ui->CaseChannel);
        return;
    case Part::Areas:
        goToArea(d.area);
        break;
    case Part::None:
        return;
    }
    if (d.kind == Difference::AreaField) {
        ui->ParametersEditTab->setCurrentWidget(ui->Parameters);
        return;
    }
    if (d.output < 0 || d.output >= EditData::OutputCount)
        return;
    // As a click on the output's tab does.
    editControl->AreaEditTabChannel(d.output);
    ui->AreaEditTab->setCurrentIndex(d.output);
    optionScene->UpdataPaintOutline();
    optionScene->CoordTableUpdatePointItem();
    if (d.kind != Difference::PointMoved)
        return;
    // The point as drawn; an arc's point may stand where it is kept instead.
    const QVector<QPoint> &points = m_data->Areas.at(d.area).points(d.output);
    int row = points.indexOf(d.pointA);
    if (row < 0)
        row = qMin(d.point, points.size() - 1);
    QTableWidget *const tables[] = {ui->CoordTableWidgetOut1, ui->CoordTableWidgetOut2, ui->CoordTableWidgetOut3};
    if (row >= 0)
        tables[d.output]->selectRow(row);
}

void MainWindow::openAppSettings()
{
    m_appSettings->setVerifyAfterWrite(m_compare->verifyAfterWrite());
    m_appSettings->setViewportChoice(int(ViewportChoice::stored()));
    m_appSettings->retranslate(LanguageFlag);
    m_appSettings->show();
    m_appSettings->raise();
}
