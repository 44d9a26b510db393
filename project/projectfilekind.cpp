#include "projectfilekind.h"

#include "devicetype.h"

ProjectFileKind projectFileKind(int deviceClass)
{
    if (!DeviceClasses::isValid(deviceClass))
        return {};
    const QString range = QString::fromLatin1(DeviceClasses::rangeName(deviceClass));
    return {QStringLiteral("ZTL_VQ_") + range, QStringLiteral(".VQ") + range, QStringLiteral("(*.VQ%1)").arg(range)};
}

int deviceClassOfTypeLine(const QString &line)
{
    for (int deviceClass = 0; deviceClass < DeviceClasses::Count; ++deviceClass) {
        if (line == projectFileKind(deviceClass).typeLine)
            return deviceClass;
    }
    return -1;
}

QString withProjectExtension(const QString &fileName, int deviceClass)
{
    const QString extension = projectFileKind(deviceClass).extension;
    return fileName.endsWith(extension, Qt::CaseSensitive) ? fileName : fileName + extension;
}
