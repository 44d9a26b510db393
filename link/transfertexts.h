#pragma once

#include <QString>
#include <QStringList>

// What the transfer sequences tell the user, in the link's language (0
// English, 1 Chinese). Any other language value gives empty texts, and the
// link then shows no box at all.
enum class TransferMessage {
    UploadTitle,      // progress title while areas are read
    DownloadTitle,    // progress title while areas are written
    ReadAllDone,
    ParametersAccepted,
    RestartQuestion,
    AreaRejected,     // WArea status 1
    BlockRejected,    // WCase or WPara status 1
    FlashError,       // any write, status 2
    RebootDone,
    ProductTitle,
    UnknownStatus,    // any write, a status the sensor does not define; %1 the status
};

struct TransferText
{
    QString title;
    QString text;
    QStringList buttons;

    bool isEmpty() const { return title.isEmpty() && text.isEmpty(); }
};

TransferText transferText(TransferMessage message, int language);
