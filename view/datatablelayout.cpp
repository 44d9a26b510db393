#include "datatablelayout.h"

#include "linkstate.h"
#include "livescan.h"

namespace {
constexpr double kScanDegrees = 320.0;

QString degrees(double value) { return QString::number(value, 'g', 4) + QChar(0x00B0); }
} // namespace

DataTableLayout DataTableLayout::of(const LinkState &link)
{
    DataTableLayout layout;
    if (link.ConnectionKind != 1) {
        layout.source = Source::Serial;
        layout.samples = link.SerialDistances.size();
        layout.reversed = link.DirectionReversed;
        return layout;
    }
    layout.source = Source::Ethernet;
    layout.udp = link.EthernetMode == 1;
    layout.samples = LiveScan::sampleCount(link);
    layout.stride = qMax(1, (layout.samples + MaxNetRows - 1) / MaxNetRows);
    layout.rows = (layout.samples + layout.stride - 1) / layout.stride;
    return layout;
}

int DataTableLayout::sampleOfRow(int row) const
{
    if (source == Source::Ethernet)
        return row * stride;
    return reversed ? SerialRows - 1 - row : row;
}

int DataTableLayout::numberOfRow(int row) const
{
    return source == Source::Ethernet ? row * stride + 1 : row + 1;
}

QString DataTableLayout::heading(int languageFlag) const
{
    const bool english = languageFlag == 1;
    if (source == Source::None)
        return english ? QStringLiteral("No scan yet") : QStringLiteral("尚无扫描数据");
    const QString apart = degrees(kScanDegrees / qMax(1, samples));
    if (source == Source::Serial)
        return (english ? QStringLiteral("Serial scan: first %1 of %2 samples, %3 apart")
                        : QStringLiteral("串口扫描：%2 点中的前 %1 点，间隔 %3"))
            .arg(qMin(rows, samples))
            .arg(samples)
            .arg(apart);
    const QString link = (english ? QStringLiteral("Ethernet scan (%1): ") : QStringLiteral("以太网扫描 (%1)："))
                             .arg(udp ? QStringLiteral("UDP") : QStringLiteral("TCP"));
    if (samples == 0)
        return link + (english ? QStringLiteral("no complete scan yet") : QStringLiteral("尚无完整扫描"));
    const QString scan =
        (english ? QStringLiteral("%1 samples, %2 apart") : QStringLiteral("%1 点，间隔 %2")).arg(samples).arg(apart);
    if (stride == 1)
        return link + scan;
    return link + scan
        + (english ? QStringLiteral("; one in %1 listed, %2 a row") : QStringLiteral("；每 %1 点列出 1 点，每行 %2"))
              .arg(stride)
              .arg(degrees(kScanDegrees * stride / samples));
}
