#include "exporttexts.h"

#include "languagetext.h"

#include <QObject>

namespace ExportTexts {

using LanguageText::pick;

QString caption(int flag) { return pick(flag, "导出报告", "Export Report"); }

QString filter() { return QStringLiteral("PDF (*.pdf)"); }

QString exported(int flag, const QString &path) { return pick(flag, "报告已导出: %1", "Report exported: %1").arg(path); }

QString failedTitle(int flag) { return pick(flag, "错误", "Error"); }

QString failed(int flag, const QString &path, const QString &reason)
{
    return pick(flag, "报告未能写入：\n%1\n%2", "The report was not written:\n%1\n%2").arg(path, reason);
}

QString okButton(int flag) { return flag == 1 ? QObject::tr("OK") : QObject::tr("确定"); }

QString statusLabel(int flag, const QString &fingerprint)
{
    return pick(flag, "配置指纹 %1", "Fingerprint %1").arg(fingerprint);
}

QString productNote(int flag, const QString &fingerprint)
{
    return pick(flag, "本工程配置指纹:  %1", "Project Fingerprint:  %1").arg(fingerprint);
}

} // namespace ExportTexts
