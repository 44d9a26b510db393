// MainWindow's commissioning report and configuration fingerprint: what the
// window holds handed to the project library, which makes both.
#include "mainwindow.h"

#include "commissioningreport.h"
#include "configfingerprint.h"
#include "dialogseam.h"
#include "exporttexts.h"
#include "serial_comm.h"
#include "ui_mainwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

namespace {
// The libraries count the languages the other way round: 0 English, 1 Chinese.
int libraryLanguage(int languageFlag) { return languageFlag == 1 ? 0 : 1; }

// What a download from the window leaves in the scanner: the areas, the
// words the dock holds, the zones mirrored when those words say reversed (as
// a connection without a read sets the link, and a read brings the scanner's
// own words).
ConfigFingerprint fingerprintOf(const EditData &data, const SensorParameters &words)
{
    return configFingerprint(data.Areas, words, words.Words[SensorParameters::InstallDirectionWord] != 0);
}
} // namespace

void MainWindow::createReport()
{
    m_fingerprintLabel = new QLabel(this);
    m_fingerprintLabel->setObjectName(QStringLiteral("FingerprintLabel"));
    statusBar()->addPermanentWidget(m_fingerprintLabel);
    connect(ui->ExportReport, &QAction::triggered, this, &MainWindow::exportReport);
    connect(link, &SERIAL_COMM::ReceiveParameters, this, &MainWindow::scheduleFingerprint);
    link->setProductInfoNote([this] {
        const ConfigFingerprint f = fingerprintOf(*m_data, *Parameters);
        return ExportTexts::productNote(LanguageFlag, f.text(libraryLanguage(LanguageFlag)));
    });
}

void MainWindow::scheduleFingerprint()
{
    if (m_fingerprintDue)
        return;
    m_fingerprintDue = true;
    QTimer::singleShot(0, this, [this] {
        m_fingerprintDue = false;
        showFingerprint();
    });
}

void MainWindow::showFingerprint()
{
    const ConfigFingerprint f = fingerprintOf(*m_data, *Parameters);
    m_fingerprintLabel->setText(ExportTexts::statusLabel(LanguageFlag, f.text(libraryLanguage(LanguageFlag))));
    m_fingerprintLabel->setToolTip(f.isValid() ? QStringLiteral("SHA-256 ") + f.hex() : QString());
}

void MainWindow::exportReport()
{
    link->stopTimeout(); // no time-out warning over the file dialog
    const QString suggested = m_projectPath.isEmpty()
        ? QString()
        : QFileInfo(m_projectPath).absoluteDir().filePath(QFileInfo(m_projectPath).completeBaseName() + QStringLiteral(".pdf"));
    QString name = DialogSeam::current()->saveFileName(ExportTexts::caption(LanguageFlag), suggested, ExportTexts::filter());
    if (name.isEmpty())
        return;
    if (!name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        name += QStringLiteral(".pdf");

    CommissioningReport report;
    report.language = libraryLanguage(LanguageFlag);
    report.date = QDate::currentDate();
    report.projectFile = QDir::toNativeSeparators(m_projectPath);
    if (isConnected())
        report.product = link->productInfo();
    report.config.deviceClass = DeviceClass;
    report.config.rows = currentSensorDockState();
    report.config.areas = m_data->Areas;
    report.fingerprint = fingerprintOf(*m_data, *Parameters);
    QString reason;
    if (!report.save(name, &reason)) {
        DialogSeam::current()->ask(DialogSeam::Icon::Critical, ExportTexts::failedTitle(LanguageFlag),
                                   ExportTexts::failed(LanguageFlag, QDir::toNativeSeparators(name), reason),
                                   {ExportTexts::okButton(LanguageFlag)});
        return;
    }
    statusBar()->showMessage(ExportTexts::exported(LanguageFlag, QDir::toNativeSeparators(name)), 8000);
}
