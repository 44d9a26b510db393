#include "framing.h"

#include "crc16.h"
#include "livedata.h"

#include <array>
#include <cstring>

namespace {
// Position of the first occurrence of a short command text, or -1. Every read
// runs a dozen of these over the buffer; memchr on the first letter is several
// times faster than QByteArray::indexOf's rolling hash on such short texts.
int findText(const QByteArray &rx, const char *text)
{
    const int length = int(std::strlen(text));
    const char *begin = rx.constData();
    const char *end = begin + rx.size();
    for (const char *p = begin; end - p >= length;) {
        p = static_cast<const char *>(std::memchr(p, text[0], size_t(end - p - length + 1)));
        if (!p)
            return -1;
        if (std::memcmp(p, text, size_t(length)) == 0)
            return int(p - begin);
        ++p;
    }
    return -1;
}
} // namespace

CutResult cutFrame(QByteArray &rx, const char *header, int length, bool withCrc, QByteArray *frame)
{
    const int at = findText(rx, header);
    if (at < 0 || rx.size() - at < length)
        return CutResult::Waiting;
    const bool crcOk = !withCrc || hasValidCrc(rx.constData() + at, length);
    if (frame)
        *frame = rx.mid(at, length);
    rx.remove(at, length);
    return crcOk ? CutResult::Cut : CutResult::BadCrc;
}

bool cutHisnPacket(QByteArray &rx, QByteArray *packet)
{
    const int at = findText(rx, "HISN");
    if (at < 0)
        return false;
    const int length = hisnPacketLength(rx.constData() + at, rx.size() - at);
    if (length == 0 || rx.size() - at < length)
        return false;
    if (packet)
        *packet = rx.mid(at, length);
    rx.remove(at, length);
    return true;
}

bool trimReceiveBuffer(QByteArray &rx)
{
    if (rx.size() < kReceiveLimit)
        return false;
    const int last = rx.lastIndexOf("HISN");
    // A tail that is itself at the limit can never be parsed: keeping it
    // would stop every parser for good while the buffer grows.
    if (last < 0 || rx.size() - last >= kReceiveLimit)
        rx.clear();
    else
        rx.remove(0, last);
    return true;
}

QVector<ReceivedFrame> takeReplies(QByteArray &rx, int connectionKind)
{
    QVector<ReceivedFrame> out;
    if (trimReceiveBuffer(rx))
        return out;
    static const std::array<Command, 11> kOrder = {Command::RBoot, Command::RPrda, Command::RStre, Command::RArea,
                                                  Command::WArea, Command::RPara, Command::WPara, Command::RCase,
                                                  Command::WCase, Command::WSimu, Command::SCtrl};
    for (Command command : kOrder) {
        if (command == Command::RStre && connectionKind != 0)
            continue; // serial-only, like RScan
        const CommandInfo &info = commandInfo(command);
        QByteArray frame;
        if (cutFrame(rx, info.text, info.replyLength, info.replyHasCrc, &frame) == CutResult::Cut)
            out.append({command, frame});
    }
    if (connectionKind == 0) {
        QByteArray frame;
        if (cutFrame(rx, "RScan", kSamplesFrameLength, false, &frame) == CutResult::Cut)
            out.append({Command::RScan, frame});
    } else if (connectionKind == 1) {
        QByteArray packet;
        while (cutHisnPacket(rx, &packet))
            out.append({Command::Hisn, packet});
    }
    return out;
}

bool takeRequest(QByteArray &rx, ReceivedFrame *request)
{
    for (;;) {
        // Earliest request header in the buffer.
        int best = -1;
        const CommandInfo *bestInfo = nullptr;
        for (const CommandInfo &info : requestCommands()) {
            const int at = findText(rx, info.text);
            if (at >= 0 && (best < 0 || at < best)) {
                best = at;
                bestInfo = &info;
            }
        }
        if (best < 0) {
            // Keep a possible partial header at the end for the next read.
            if (rx.size() > kHeaderLength - 1)
                rx.remove(0, rx.size() - (kHeaderLength - 1));
            return false;
        }
        rx.remove(0, best);
        if (rx.size() < bestInfo->requestLength)
            return false;
        const QByteArray frame = rx.left(bestInfo->requestLength);
        rx.remove(0, bestInfo->requestLength);
        if (!hasValidCrc(frame))
            continue;
        if (request)
            *request = {bestInfo->command, frame};
        return true;
    }
}
