#pragma once

#include <QString>
#include <QStringList>

// Texts of opening and closing a connection, by the window's language flag
// (0 Chinese, 1 English). An empty text means the flag has none: nothing is
// shown.
namespace ConnectTexts {
// "Connected to COM3 : 115200, 8, None, 1, None"; line = the settings'
// port name and the display texts of baud, data bits, parity, stop bits,
// flow control.
QString serialConnected(int languageFlag, const QStringList &line);
QString serialPortLabel(int languageFlag, const QString &port);
// "Connect192.168.1.10:8080": no blank, as the scanners' manuals print it.
QString ethernetConnected(int languageFlag, const QString &address);
QString ethernetPortLabel(int languageFlag, const QString &address);

QString errorTitle(int languageFlag);
QString serialOpenError(int languageFlag);
QString ethernetOpenError(int languageFlag);
QString openErrorStatus(int languageFlag);

// The question before a connection reads everything over unsaved work, and
// its three answers: save then read, discard then read, keep the project.
QString readOverQuestion(int languageFlag);
QStringList readOverButtons(int languageFlag);
} // namespace ConnectTexts
