#include "projectio.h"

#include "clitexts.h"
#include "devicetype.h"
#include "projectfile.h"
#include "projectfilekind.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace ProjectIo {

int deviceClassOfFileName(const QString &path)
{
    for (int c = 0; c < DeviceClasses::Count; ++c)
        if (path.endsWith(projectFileKind(c).extension, Qt::CaseSensitive))
            return c;
    return -1;
}

namespace {
// The markers every file the window writes has, in this order.
bool hasSections(const QByteArray &bytes)
{
    int at = 0;
    for (const char *marker : {"\nSensorSetting", "\nCoordTableData", "\nCoordTableDataEnd"}) {
        at = bytes.indexOf(marker, at);
        if (at < 0)
            return false;
        at += int(qstrlen(marker));
    }
    return true;
}
} // namespace

std::optional<Configuration> load(const QString &path, int language, QString *error)
{
    QFile file(path);
    if (!QFileInfo::exists(path)) {
        *error = cliText(CliText::FileMissing, language).arg(path);
        return std::nullopt;
    }
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = cliText(CliText::FileUnreadable, language).arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = cliText(CliText::FileUnreadable, language).arg(path, file.errorString());
        return std::nullopt;
    }
    Configuration config;
    EditData data;
    QTextStream in(bytes);
    config.deviceClass = readProjectFile(in, config.rows, data);
    if (config.deviceClass < 0 || !hasSections(bytes)) {
        *error = cliText(CliText::FileDamaged, language).arg(path);
        return std::nullopt;
    }
    config.areas = data.Areas;
    return config;
}

bool save(const QString &path, const Configuration &config, int language, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        EditData data;
        data.Areas = config.areas;
        QTextStream out(&file);
        writeProjectFile(out, config.deviceClass, config.rows, data, QDate::currentDate());
        if (out.status() == QTextStream::Ok && file.commit())
            return true;
    }
    *error = cliText(CliText::FileNotWritten, language).arg(path, file.errorString());
    return false;
}

} // namespace ProjectIo
