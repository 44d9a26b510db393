// The commissioning report of a full configuration (64 areas in use, 100
// points per output: 136 A4 pages) written as a PDF, as a ratio to writing a
// one-page PDF of text with the same writer and settings in the same run.
// Lower is better; the pages are what the report costs beyond the writer.
//   build/bench/bench_report [runs]

#include "benchsupport.h"
#include "commissioningreport.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>

namespace {
CommissioningReport fullReport()
{
    CommissioningReport r;
    r.date = QDate(2026, 12, 9);
    r.projectFile = QStringLiteral("forklift.VQ30");
    r.config.deviceClass = 3;
    for (int i = 0; i < EditData::AreaCount; ++i) {
        AreaRecord &a = r.config.areas[i];
        a.OpenDelay = i % 26;
        a.SteerMinDgree = -i;
        a.VehicleMaxSpeed = 10 * i;
        const double grow = 1 + i / 20.0;
        a.Out1Points = BenchSupport::ring(5000 * grow, 0.15, i);
        a.Out2Points = BenchSupport::ring(3500 * grow, 0.1, i + 1);
        a.Out3Points = BenchSupport::ring(2000 * grow, 0.1, i + 2);
    }
    r.fingerprint = configFingerprint(r.config);
    return r;
}

// A page of text as a plain document would hold it: 60 lines of 90 characters.
qint64 onePageOfText()
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&out);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(600);
    QPainter p(&pdf);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9);
    p.setFont(font);
    const double mm = pdf.logicalDpiY() / 25.4;
    for (int line = 0; line < 60; ++line)
        p.drawText(QPointF(18 * mm, (20 + 4.2 * line) * mm),
                   QStringLiteral("%1 The quick brown fox jumps over the lazy dog, 0123456789 mm, 0.5° steps ...")
                       .arg(line + 1, 2));
    p.end();
    return out.size();
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const CommissioningReport report = fullReport();
    if (!report.fingerprint.isValid())
        qFatal("the configuration cannot be sent");

    qint64 reportBytes = 0;
    qint64 textBytes = 0;
    onePageOfText(); // fonts loaded before either is timed
    const double full = BenchSupport::medianNs(runs, [&] {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        if (!report.write(&out))
            qFatal("the report was not written");
        reportBytes = out.size();
    });
    const double page = BenchSupport::medianNs(runs * 4, [&] { textBytes = onePageOfText(); });

    std::printf("commissioning report, 64 areas in use, 3 x 100 points each: %d pages, %.1f MB\n",
                report.pageCount(), reportBytes / 1e6);
    std::printf("  report      %8.1f ms (median of %d)\n", full / 1e6, runs);
    std::printf("  text page   %8.2f ms (%lld bytes, median of %d)\n", page / 1e6, textBytes, runs * 4);
    std::printf("  ratio       %8.0f x one page of text, %.1f x per page\n", full / page, full / page / report.pageCount());
    return 0;
}
