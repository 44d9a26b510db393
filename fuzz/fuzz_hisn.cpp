// Ethernet live packets: a stream cut into HISN packets, each decoded and
// assembled into the sample rings. The rings must stay in bounds whatever the
// angles and counts say.

#include "framing.h"
#include "fuzzsupport.h"
#include "livedata.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int maxRange = 6000 * (1 + data[0] % 10);
    QByteArray rx(reinterpret_cast<const char *>(data + 1), int(size - 1));
    LinkState link;
    HisnAssembler assembler;
    QByteArray bytes;
    while (cutHisnPacket(rx, &bytes)) {
        const std::optional<HisnPacket> packet = decodeHisnPacket(bytes);
        FUZZ_CHECK(packet.has_value());
        // Bytes 14..15 carry nothing the tool reads; the rest must survive.
        QByteArray again = encodeHisnPacket(*packet);
        again[14] = bytes[14];
        again[15] = bytes[15];
        FUZZ_CHECK(again == bytes);
        const bool complete = assembler.add(*packet, link, maxRange);
        FUZZ_CHECK(link.NetWritePos >= 0 && link.NetWritePos < LinkState::NetRingSize);
        FUZZ_CHECK(link.NetScanLength >= 0 && link.NetScanLength < LinkState::NetRingSize);
        FUZZ_CHECK(!complete || link.NetScanLength > 0);
        for (int j = 0; j < packet->pointCount() && j < 8; ++j)
            FUZZ_CHECK(qMin<int>(packet->Distances[j], maxRange) <= maxRange);
    }
    for (int i = 0; i < LinkState::NetRingSize; i += 97)
        FUZZ_CHECK(link.NetDistances[i] <= maxRange && link.NetIntensities[i] <= maxRange);
    return 0;
}
