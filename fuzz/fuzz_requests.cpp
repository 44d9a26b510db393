// The scanner's side: a byte stream cut into requests and every request
// decoded, as the emulator does. Decoded requests must re-encode to frames
// that decode the same.

#include "areaframe.h"
#include "framing.h"
#include "fuzzsupport.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    QByteArray rx(reinterpret_cast<const char *>(data + 1), int(size - 1));
    if (data[0] & 1)
        fixCrcs(rx, true);
    const int before = rx.size();
    ReceivedFrame f;
    int taken = 0;
    while (takeRequest(rx, &f)) {
        ++taken;
        FUZZ_CHECK(f.bytes.size() == commandInfo(f.command).requestLength);
        switch (f.command) {
        case Command::RArea: {
            const int index = *decodeRAreaRequest(f.bytes);
            FUZZ_CHECK(decodeRAreaRequest(encodeRAreaRequest(index)) == index);
            break;
        }
        case Command::WArea: {
            const auto block = decodeAreaBlock(f.bytes, Command::WArea);
            FUZZ_CHECK(block.has_value());
            AreaRecord area;
            applyAreaBlock(*block, data[0] & 2, area);
            break;
        }
        case Command::WPara: {
            const auto p = decodeParameterBlock(f.bytes, Command::WPara);
            FUZZ_CHECK(p && *decodeParameterBlock(encodeParameterBlock(Command::WPara, *p), Command::WPara) == *p);
            break;
        }
        case Command::WCase: {
            const auto t = decodeCaseTable(f.bytes, Command::WCase);
            FUZZ_CHECK(t && encodeCaseTable(Command::WCase, *t) == f.bytes);
            break;
        }
        case Command::WSimu: {
            const auto s = decodeWSimuRequest(f.bytes);
            FUZZ_CHECK(s && *decodeWSimuRequest(encodeWSimuRequest(*s)) == *s);
            break;
        }
        case Command::SCtrl: {
            const auto c = decodeSCtrlRequest(f.bytes);
            FUZZ_CHECK(c && *decodeSCtrlRequest(encodeSCtrlRequest(*c)) == *c);
            break;
        }
        case Command::RAuto: {
            const auto a = decodeRAuto(f.bytes);
            FUZZ_CHECK(a && decodeRAuto(encodeRAuto(*a)) == a);
            break;
        }
        default:
            FUZZ_CHECK(decodeSimpleRequest(f.bytes) == f.command);
            break;
        }
    }
    FUZZ_CHECK(rx.size() <= before);
    (void)taken;
    return 0;
}
