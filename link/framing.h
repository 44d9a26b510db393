#pragma once

// Finding frames in a receive buffer. Bytes arrive in arbitrary pieces over a
// serial line, TCP or UDP; frames have no length field, so a reply is found by
// its command text and cut once its fixed length is there.

#include "frames.h"

#include <QByteArray>
#include <QVector>

// The receive buffer never holds more than this when parsers run.
constexpr int kReceiveLimit = 50000;
// A device read is handed to the parsers in pieces of at most this many bytes,
// well under kReceiveLimit: a read is never dropped just for being large.
constexpr int kReadPiece = 16384;

enum class CutResult {
    Waiting, // header absent, or the frame is not complete yet
    Cut,     // the frame was removed from the buffer and its CRC is right
    BadCrc,  // the frame was removed from the buffer, its CRC is wrong
};

// Finds the first `header` in rx; once `length` bytes are there from it on,
// removes exactly those bytes (bytes in front of the header stay) and hands
// them out. Checks the CRC when withCrc.
CutResult cutFrame(QByteArray &rx, const char *header, int length, bool withCrc, QByteArray *frame);

// Removes the first complete HISN packet from rx into *packet. False when
// there is none, or it is not complete yet.
bool cutHisnPacket(QByteArray &rx, QByteArray *packet);

// The buffer rule applied before parsing: a buffer of kReceiveLimit bytes or
// more is cut back to its last "HISN", or emptied when there is none (or
// when even that tail would still be too long to ever parse). True when it
// cut, in which case no parser runs on this call.
bool trimReceiveBuffer(QByteArray &rx);

struct ReceivedFrame
{
    Command command;
    QByteArray bytes;
};

// One pass of the reply parsers over rx, in the link's order: RBoot, RPrda,
// RStre, RArea, WArea, RPara, WPara, RCase, WCase, WSimu, SCtrl, then the
// live-scan parser (RScan when connectionKind is 0, every complete HISN packet
// when it is 1). RStre, like RScan, is taken on the serial line only. Each fixed-length parser takes at most one reply. Replies
// with a wrong CRC are removed and dropped. Applies trimReceiveBuffer first.
QVector<ReceivedFrame> takeReplies(QByteArray &rx, int connectionKind);

// The scanner's side: removes the earliest complete request from rx. Bytes
// before it that start no request are discarded; a request with a wrong CRC
// is dropped and the search goes on. False when no complete request is there.
bool takeRequest(QByteArray &rx, ReceivedFrame *request);
