#pragma once

#include <QAbstractSocket>
#include <QSerialPort>
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

// Why a device did not open, or went: the common causes in words of our
// own, anything else in the system's words.
enum class LinkFailure {
    NoRoute,
    Refused,
    TimedOut,
    HostNotFound,
    ClosedByScanner,
    NoSuchDevice,
    PermissionDenied,
    Busy,
    DeviceGone,
    Other,
};
LinkFailure socketFailure(QAbstractSocket::SocketError error, const QString &systemText);
LinkFailure serialFailure(QSerialPort::SerialPortError error, const QString &systemText);
// The cause as the user reads it; systemText for Other (and for a flag of
// neither language).
QString failureReason(int languageFlag, LinkFailure failure, const QString &systemText);

// The notice of a lost connection to device, with its cause, and the offer
// to connect to it again; its two answers: reconnect, leave it.
QString linkLostTitle(int languageFlag);
QString linkLostText(int languageFlag, const QString &device, const QString &reason);
QStringList reconnectButtons(int languageFlag);
// A restart the user asked for: the status while the window waits for the
// scanner, and the notice when it has not answered within seconds.
QString restartingStatus(int languageFlag);
QString notBackText(int languageFlag, const QString &device, int seconds);

// The question before a connection reads everything over unsaved work, and
// its three answers: save then read, discard then read, keep the project.
QString readOverQuestion(int languageFlag);
QStringList readOverButtons(int languageFlag);
} // namespace ConnectTexts
