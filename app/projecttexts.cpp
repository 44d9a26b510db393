#include "projecttexts.h"

#include "languagetext.h"

#include <QDir>
#include <QFileInfo>

namespace ProjectTexts {

using LanguageText::pick;

QString windowTitle(const QString &path, int languageFlag)
{
    QString name = path.isEmpty() ? pick(languageFlag, "未命名", "Untitled") : QFileInfo(path).fileName();
    // "[*]" in a file's name is shown as it is, not taken for the marker.
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return name + QStringLiteral("[*] - ") + QStringLiteral("激光雷达编辑器");
}

QString saveCaption(int languageFlag) { return pick(languageFlag, "保存配置文件", "Save Config file"); }
QString saveAsCaption(int languageFlag) { return pick(languageFlag, "另存为", "Save As"); }

QString recentEntry(int index, const QString &path)
{
    // A menu would take an "&" in a folder's name for a shortcut.
    QString shown = QDir::toNativeSeparators(path);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("%1  %2").arg(index + 1).arg(shown);
}

QString recentMissingTitle(int languageFlag) { return pick(languageFlag, "最近的工程", "Recent Projects"); }

QString recentMissingText(int languageFlag, const QString &path)
{
    return pick(languageFlag, "文件已不存在：\n%1\n已从最近的工程中移除。",
                "The file no longer exists:\n%1\nIt has been removed from the recent projects.")
        .arg(QDir::toNativeSeparators(path));
}

QString okButton(int languageFlag) { return pick(languageFlag, "确定", "OK"); }

} // namespace ProjectTexts
