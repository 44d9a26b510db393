#pragma once

#include <QString>

// Texts of the comparison with the scanner, by the window's language flag
// (0 Chinese, 1 English).
namespace CompareTexts {
QString dockTitle(int languageFlag);
QString parametersGroup(int languageFlag, int count);
QString caseTableGroup(int languageFlag, int count);
QString areasGroup(int languageFlag, int count);
QString areaNode(int languageFlag, int area, int count);

// The line over the list.
QString notCompared(int languageFlag);
QString reading(int languageFlag);
QString readFailed(int languageFlag);
QString equal(int languageFlag);
QString differenceCount(int languageFlag, int count);
// After a write whose read-back compared it: "verified: " before the result.
QString verifiedResult(int languageFlag, const QString &result);
QString writtenNotVerified(int languageFlag);
QString awaitingRestart(int languageFlag);
QString verifying(int languageFlag);

QString refreshButton(int languageFlag);
QString takeButton(int languageFlag);
QString writeButton(int languageFlag);
QString refreshTip(int languageFlag);
QString takeTip(int languageFlag);
QString writeTip(int languageFlag);
QString differsTip(int languageFlag);

// Status bar messages.
QString verified(int languageFlag);
QString verifyFoundDifferences(int languageFlag, int count);
QString notVerified(int languageFlag);
QString busy(int languageFlag);
QString nothingToWrite(int languageFlag);
QString takenParameters(int languageFlag);
QString takenCaseTable(int languageFlag);
QString takenArea(int languageFlag, int area);

// The settings dialog.
QString settingsTitle(int languageFlag);
QString verifySetting(int languageFlag);
// The editor view's drawing: the label, the three choices (automatic,
// OpenGL, raster) and when a change takes effect.
QString viewportSetting(int languageFlag);
QString viewportChoice(int languageFlag, int choice);
QString viewportNote(int languageFlag);
QString okButton(int languageFlag);
QString cancelButton(int languageFlag);
} // namespace CompareTexts
