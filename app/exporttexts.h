#pragma once

#include <QString>

// Texts of the window's commissioning report and fingerprint, by the
// window's language flag (0 Chinese, 1 English).
namespace ExportTexts {
QString caption(int languageFlag);
QString filter();
QString exported(int languageFlag, const QString &path);
QString failedTitle(int languageFlag);
QString failed(int languageFlag, const QString &path, const QString &reason);
QString okButton(int languageFlag);
// The status bar's permanent label and the product information box's last
// line; `fingerprint` is the short form or why there is none.
QString statusLabel(int languageFlag, const QString &fingerprint);
QString productNote(int languageFlag, const QString &fingerprint);
} // namespace ExportTexts
