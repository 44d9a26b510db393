// Every reply decoder, as the tool uses them, on arbitrary frames. Input:
// one selector byte, then the frame body; the command text, length and CRC
// are patched in when the selector asks, so the decoders' field handling is
// reached too. Decoded replies must re-encode to what decodes the same.

#include "areaframe.h"
#include "fuzzsupport.h"
#include "livedata.h"

#include <cstdint>
#include <cstring>

namespace {
const Command kReplies[] = {Command::RPrda, Command::RScan, Command::RStre, Command::RBoot, Command::RArea,
                            Command::WArea, Command::RPara, Command::WPara, Command::RCase, Command::WCase,
                            Command::WSimu, Command::SCtrl};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const quint8 selector = data[0];
    const Command command = kReplies[(selector & 0x0F) % 12];
    const CommandInfo &info = commandInfo(command);
    QByteArray frame(reinterpret_cast<const char *>(data + 1), int(size - 1));
    if (selector & 0x10) { // shape it into a well-formed frame
        frame = frame.leftJustified(info.replyLength, '\0', true);
        std::memcpy(frame.data(), info.text, kHeaderLength);
        if (info.replyHasCrc)
            storeCrc(frame);
    }
    const bool reversed = selector & 0x20;

    switch (command) {
    case Command::RPrda:
        if (const auto v = decodeProductReply(frame)) {
            FUZZ_CHECK(*decodeProductReply(encodeProductReply(*v)) == *v);
            FUZZ_CHECK(!productInfoText(*v, 0).isEmpty() && !productInfoText(*v, 1).isEmpty());
        }
        break;
    case Command::RScan:
    case Command::RStre:
        if (const auto v = decodeSamplesReply(frame, command)) {
            FUZZ_CHECK(encodeSamplesReply(command, *v) == frame);
            QVector<quint16> target(640);
            storeSerialSamples(*v, reversed, 6000, target);
            for (quint16 s : target)
                FUZZ_CHECK(s <= 6000);
        }
        break;
    case Command::RBoot:
    case Command::WArea:
    case Command::WPara:
    case Command::WCase:
        if (const auto v = decodeStatusReply(frame, command))
            FUZZ_CHECK(encodeStatusReply(command, quint8(*v)) == frame);
        break;
    case Command::RArea:
        if (const auto block = decodeAreaBlock(frame, command)) {
            AreaRecord area;
            applyAreaBlock(*block, reversed, area);
            for (int o = 0; o < 3; ++o)
                FUZZ_CHECK(area.points(o).size() <= 100);
            // What was read is sendable again: every value came from a 16-bit field.
            const AreaEncodeResult again = encodeAreaBlock(Command::WArea, block->Index % 64, area, reversed);
            if (again.ok())
                FUZZ_CHECK(again.frame.size() == kAreaFrameLength && hasValidCrc(again.frame));
        }
        break;
    case Command::RPara:
        if (const auto v = decodeParameterBlock(frame, command)) {
            const QByteArray again = encodeParameterBlock(command, *v);
            FUZZ_CHECK(again.left(55) == frame.left(55));
        }
        break;
    case Command::RCase:
        if (const auto v = decodeCaseTable(frame, command))
            FUZZ_CHECK(encodeCaseTable(command, *v) == frame);
        break;
    case Command::WSimu:
        if (const auto v = decodeSimuReply(frame)) {
            const QByteArray again = encodeSimuReply(*v);
            FUZZ_CHECK(again == frame);
        }
        break;
    case Command::SCtrl:
        decodeSCtrlReply(frame);
        break;
    default:
        break;
    }
    return 0;
}
