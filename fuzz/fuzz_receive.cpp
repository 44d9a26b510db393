// Random bytes, in random chunk sizes, through the link's real receive loop
// and reply parsers. Input: one configuration byte, then chunks of
// [length-1][repeat][bytes]. A repeat byte of 0xF0 or more feeds the chunk
// 16..256 times, so small inputs reach the 50000-byte buffer rule; anything
// less feeds it once (repeats are slow: every read scans the buffer).

#include "editdata.h"
#include "fuzzsupport.h"
#include "serial_comm.h"
#include "shapekind.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ensureCoreApplication();
    if (size < 1)
        return 0;
    const quint8 config = data[0];
    LinkState link;
    link.ConnectionKind = config & 0x03; // 0 serial, 1 Ethernet, 2..3 nothing selected
    link.EthernetMode = 0;
    EditData edit;
    SensorParameters params;
    ScanControl control;
    SERIAL_COMM comm(nullptr, &link, &edit, &params, &control, nullptr, nullptr);
    comm.setDeviceClass((config >> 2) & 0x07);
    comm.setLanguage((config >> 6) & 0x01);
    const bool fix = config & 0x80;
    // Every request in flight, so each parser has something to clear.
    for (int r = 0; r < SERIAL_COMM::RequestCount; ++r)
        comm.raiseRequest(SERIAL_COMM::Request(r));

    size_t pos = 1;
    while (pos + 2 <= size) {
        const size_t length = size_t(data[pos]) + 1;
        const int repeats = data[pos + 1] >= 0xF0 ? (data[pos + 1] - 0xEF) * 16 : 1;
        pos += 2;
        QByteArray chunk(reinterpret_cast<const char *>(data + pos), int(qMin(length, size - pos)));
        pos += size_t(chunk.size());
        if (fix)
            fixCrcs(chunk, false);
        for (int i = 0; i < repeats; ++i) {
            comm.receiveBytes(chunk);
            FUZZ_CHECK(comm.receiveBuffer().size() < 50000);
        }
        FUZZ_CHECK(link.NetWritePos >= 0 && link.NetWritePos < LinkState::NetRingSize);
        FUZZ_CHECK(link.NetScanLength >= 0 && link.NetScanLength <= LinkState::NetRingSize);
        FUZZ_CHECK(link.SerialDistances.size() == LinkState::SerialSampleCount);
        FUZZ_CHECK(link.NetDistances.size() == LinkState::NetRingSize);
        FUZZ_CHECK(edit.Areas.size() == EditData::AreaCount);
    }
    for (int s = 0; s < LinkState::SerialSampleCount; ++s)
        FUZZ_CHECK(link.SerialDistances.at(s) <= comm.maxRange());
    for (const AreaRecord &a : edit.Areas)
        for (int o = 0; o < 3; ++o) {
            FUZZ_CHECK(a.shape(o) >= Polygon && a.shape(o) <= Ratio);
            FUZZ_CHECK(a.points(o).size() <= 100);
        }
    return 0;
}
