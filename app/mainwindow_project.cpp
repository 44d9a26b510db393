// MainWindow's project-file slots: the dialogs, the messages and the order of
// the steps. The file itself is read and written by the project library.
#include "mainwindow.h"

#include "area_table.h"
#include "coord_table.h"
#include "dialogseam.h"
#include "edit_control.h"
#include "option_scene.h"
#include "projectfile.h"
#include "projectfilekind.h"
#include "projecttexts.h"
#include "sensor_setting.h"
#include "serial_comm.h"
#include "ui_mainwindow.h"
#include "viewwindow.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSpinBox>
#include <QTextStream>

namespace {
struct OpenTexts
{
    QString title;
    QString message;
    QString caption;
};

OpenTexts openTexts(int languageFlag)
{
    if (languageFlag == 1)
        return {QStringLiteral("Error"), QStringLiteral("FileError"), QStringLiteral("Open Config file")};
    return {QStringLiteral("错误"), QStringLiteral("文件损坏"), QStringLiteral("打开配置文件")};
}

void tellFileError(const OpenTexts &texts)
{
    DialogSeam::current()->ask(DialogSeam::Icon::Information, texts.title, texts.message,
                               {QObject::tr("OK")});
}
} // namespace

void MainWindow::savefile() { saveProject(); }

void MainWindow::saveFileAs() { saveProjectAs(); }

bool MainWindow::saveProject()
{
    // A file of another class (a class chosen since) would get the wrong
    // type line: then the user names a new one.
    if (m_projectPath.isEmpty() || withProjectExtension(m_projectPath, DeviceClass) != m_projectPath)
        return saveProjectAs();
    link->stopTimeout();
    return writeProject(m_projectPath);
}

bool MainWindow::saveProjectAs()
{
    link->stopTimeout(); // no time-out warning over the file dialog
    const bool untitled = m_projectPath.isEmpty();
    const QString name = DialogSeam::current()->saveFileName(
        untitled ? ProjectTexts::saveCaption(LanguageFlag) : ProjectTexts::saveAsCaption(LanguageFlag),
        untitled ? QString() : m_projectPath, projectFileKind(DeviceClass).filter);
    if (name.isEmpty())
        return false;
    return writeProject(withProjectExtension(name, DeviceClass));
}

bool MainWindow::writeProject(const QString &name)
{
    // Written beside the old file and renamed over it only when complete, so
    // a failed save leaves the previous project as it was. Modified is
    // cleared only once the file is really there.
    const ProjectFileKind kind = projectFileKind(DeviceClass);
    const bool english = LanguageFlag == 1;
    QSaveFile file(name);
    QString reason;
    if (!kind.isValid()) {
        reason = (english ? QStringLiteral("Unknown device class %1") : QStringLiteral("未知的设备类型 %1"))
                     .arg(DeviceClass);
    } else if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QTextStream out(&file);
        writeProjectFile(out, DeviceClass, currentSensorDockState(), *m_data, QDate::currentDate());
        if (out.status() == QTextStream::Ok && file.commit()) {
            m_data->Modified = false;
            setProjectPath(name);
            return true;
        }
    }
    if (reason.isEmpty())
        reason = file.errorString();
    DialogSeam::current()->ask(
        DialogSeam::Icon::Critical, english ? QStringLiteral("Error") : QStringLiteral("错误"),
        (english ? QStringLiteral("The file was not saved:\n%1\n%2") : QStringLiteral("文件保存失败：\n%1\n%2"))
            .arg(QDir::toNativeSeparators(name), reason),
        {english ? tr("OK") : tr("确定")});
    return false;
}

void MainWindow::openfile()
{
    link->stopTimeout(); // no time-out warning over the file dialog
    const OpenTexts texts = openTexts(LanguageFlag);
    const QString name =
        DialogSeam::current()->openFileName(texts.caption, QString(), projectFileKind(DeviceClass).filter);
    if (name.isEmpty())
        return;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        DialogSeam::current()->ask(DialogSeam::Icon::Information, QStringLiteral("Document"),
                                   QStringLiteral("No document"), {tr("OK"), tr("Cancel")});
        return;
    }
    QTextStream in(&file);
    const int fileClass = readProjectTypeLine(in);
    if (fileClass < 0 || fileClass != DeviceClass) {
        tellFileError(texts);
    } else {
        SensorDockState sensors{};
        readProjectBody(in, sensors, *m_data);
        loadSensorDockState(sensors);
        setProjectPath(name);
    }
    // Also after a refused file: the views are refreshed and snapshotted.
    refreshAfterRead();
    optionScene->CoordTableUpdatePointItem();
}

void MainWindow::OpenProject()
{
    const QString name = DialogSeam::current()->openFileName(openTexts(LanguageFlag).caption, QString(), QString());
    if (!name.isEmpty())
        loadProject(name, false);
}

bool MainWindow::loadProject(const QString &name, bool tellUnreadable)
{
    const OpenTexts texts = openTexts(LanguageFlag);
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (tellUnreadable)
            DialogSeam::current()->ask(DialogSeam::Icon::Information, texts.title,
                                       QDir::toNativeSeparators(name) + QLatin1Char('\n') + file.errorString(),
                                       {ProjectTexts::okButton(LanguageFlag)});
        return false;
    }
    QTextStream in(&file);
    const int fileClass = readProjectTypeLine(in);
    if (fileClass < 0) {
        tellFileError(texts);
        return false;
    }
    DeviceClass = fileClass;
    SensorDockState sensors{};
    readProjectBody(in, sensors, *m_data);
    loadSensorDockState(sensors);
    refreshAfterRead();
    DEVICETYPE type;
    type.Type = DeviceClass;
    CreateDeviceType(&type);
    // The handles of the current area, at the new class's scale.
    optionScene->CoordTableUpdatePointItem();
    setProjectPath(name);
    return true;
}

void MainWindow::refreshAfterRead()
{
    editControl->EditControlUpdateEditData();
    coordTable->CoordTableWidgeUpdate();
    areaTable->SaveAllUndoAreaTableData();
    areaTable->AreaTableWidgetAllDisplay();
    showModified();
}

void MainWindow::setProjectPath(const QString &path)
{
    m_projectPath = path.isEmpty() ? QString() : RecentProjects::normalised(path);
    if (!m_projectPath.isEmpty()) {
        m_recent.add(m_projectPath);
        storeRecentProjects();
        showRecentProjects();
    }
    showProjectTitle();
}

void MainWindow::showProjectTitle()
{
    setWindowTitle(ProjectTexts::windowTitle(m_projectPath, LanguageFlag));
    showModified();
}

void MainWindow::showModified()
{
    if (isWindowModified() != m_data->Modified)
        setWindowModified(m_data->Modified);
    // Every edit, read and open passes here.
    scheduleFingerprint();
}

SensorDockState MainWindow::currentSensorDockState() const { return sensorSetting->dockState(); }

void MainWindow::loadSensorDockState(const SensorDockState &state) { sensorSetting->applyDockState(state); }

void MainWindow::connectModifiedMarker()
{
    // After the editors' own receivers, which take the snapshot that sets
    // Modified; read-all, open, save and new project show it themselves.
    connect(editControl, &EDIT_CONTROL::EditControlShapeChangeSignal, this, &MainWindow::showModified);
    connect(editControl, &EDIT_CONTROL::EditControlParaChangeSignal, this, &MainWindow::showModified);
    connect(coordTable, &COORD_TABLE::CoordTableEditSignal, this, &MainWindow::showModified);
    connect(ui->graphicsView, &ViewWindow::ReleasePointItem, this, &MainWindow::showModified);
    connect(areaTable, &AREA_TABLE::EditAreaDataSignal, this, &MainWindow::showModified);
    // The sensor dock marks its edits from its widgets' own signals, whose
    // receivers it connects anew after showing a block: queued, the marker
    // comes after them whatever their order.
    for (QComboBox *combo : ui->SensorParaContents->findChildren<QComboBox *>())
        connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, &MainWindow::showModified,
                Qt::QueuedConnection);
    for (QSpinBox *spin : ui->SensorParaContents->findChildren<QSpinBox *>())
        connect(spin, qOverload<int>(&QSpinBox::valueChanged), this, &MainWindow::showModified,
                Qt::QueuedConnection);
}
