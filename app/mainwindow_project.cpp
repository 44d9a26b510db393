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
#include "sensor_setting.h"
#include "serial_comm.h"
#include "ui_mainwindow.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSaveFile>
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

bool MainWindow::saveProject()
{
    link->stopTimeout(); // no time-out warning over the file dialog
    const ProjectFileKind kind = projectFileKind(DeviceClass);
    QString name = DialogSeam::current()->saveFileName(tr("保存配置文件"), QString(), kind.filter);
    if (name.isEmpty())
        return false;
    name = withProjectExtension(name, DeviceClass);

    // Written beside the old file and renamed over it only when complete, so
    // a failed save leaves the previous project as it was. Modified is
    // cleared only once the file is really there.
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
    }
    // Also after a refused file: the views are refreshed and snapshotted.
    refreshAfterRead();
    optionScene->CoordTableUpdatePointItem();
}

void MainWindow::OpenProject()
{
    const OpenTexts texts = openTexts(LanguageFlag);
    const QString name = DialogSeam::current()->openFileName(texts.caption, QString(), QString());
    if (name.isEmpty())
        return;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    const int fileClass = readProjectTypeLine(in);
    if (fileClass < 0) {
        tellFileError(texts);
        return;
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
}

void MainWindow::refreshAfterRead()
{
    editControl->EditControlUpdateEditData();
    coordTable->CoordTableWidgeUpdate();
    areaTable->SaveAllUndoAreaTableData();
    areaTable->AreaTableWidgetAllDisplay();
}

SensorDockState MainWindow::currentSensorDockState() const { return sensorSetting->dockState(); }

void MainWindow::loadSensorDockState(const SensorDockState &state) { sensorSetting->applyDockState(state); }
