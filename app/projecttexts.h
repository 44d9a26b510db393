#pragma once

#include <QString>

// Texts of the project files' window side, by the window's language flag
// (0 Chinese, 1 English; any other flag reads as Chinese, the form's language).
namespace ProjectTexts {
// "plan.VQ30[*] - 激光雷达编辑器": the file's name and the modified marker
// before the program's own title, which is the same in both languages. A
// project never saved is "未命名" / "Untitled".
QString windowTitle(const QString &path, int languageFlag);

QString saveCaption(int languageFlag);
QString saveAsCaption(int languageFlag);

// The recent projects' menu: one entry per file, numbered from 1, as a menu
// action's text.
QString recentEntry(int index, const QString &path);
QString recentMissingTitle(int languageFlag);
QString recentMissingText(int languageFlag, const QString &path);
QString okButton(int languageFlag);
} // namespace ProjectTexts
