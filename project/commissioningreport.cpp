#include "commissioningreport.h"

#include "devicetype.h"
#include "parameternames.h"
#include "reportcontent.h"
#include "reportpainter.h"
#include "reporttexts.h"
#include "shapekind.h"
#include "zonedrawing.h"

#include <QPdfWriter>
#include <QSaveFile>

namespace {
using RP = ReportPainter;

constexpr int kCaseRowsPerPage = 40;
constexpr int kThumbnailColumns = 4;
constexpr int kThumbnailRows = 5;
constexpr int kPointColumns = 6;
constexpr double kPointRowHeight = 4.0;
constexpr double kDrawingSize = 112.0;
constexpr double kMinimumGridOnPaper = 8.0;
constexpr double kContentTop = RP::Top + 14; // below the title
// Point rows a column holds under the drawing, and on a page of their own.
constexpr int kFirstPointRows = int((RP::Bottom - (kContentTop + kDrawingSize + 18)) / kPointRowHeight);
constexpr int kLaterPointRows = int((RP::Bottom - (kContentTop + 8)) / kPointRowHeight);

QString outputName(int output) { return QStringLiteral("Out%1").arg(output + 1); }

// "0-2, 5, 7-9": the areas in use, short.
QString rangesText(const QVector<int> &areas)
{
    QStringList parts;
    for (int i = 0; i < areas.size();) {
        int j = i;
        while (j + 1 < areas.size() && areas.at(j + 1) == areas.at(j) + 1)
            ++j;
        parts << (j == i ? QString::number(areas.at(i)) : QStringLiteral("%1-%2").arg(areas.at(i)).arg(areas.at(j)));
        i = j + 1;
    }
    return parts.join(QStringLiteral(", "));
}

class Writer
{
public:
    Writer(const CommissioningReport &report, QPdfWriter *pdf)
        : r(report), used(ReportContent::areasInUse(report.config.areas)),
          p(pdf, report.language, footerText(report), report.pageCount())
    {
    }

    bool run()
    {
        if (!p.begin())
            return false;
        cover();
        parameters();
        cases();
        overview();
        for (int area : used)
            areaPages(area);
        return p.end();
    }

private:
    static QString footerText(const CommissioningReport &report)
    {
        return reportText(ReportText::Fingerprint, report.language) + QStringLiteral("  ")
            + report.fingerprint.text(report.language);
    }
    QString t(ReportText text) const { return reportText(text, r.language); }

    void cover()
    {
        double y = p.title(t(ReportText::Title));
        QVector<QStringList> rows;
        rows << QStringList{t(ReportText::ReportDate), r.date.toString(Qt::ISODate)};
        rows << QStringList{t(ReportText::ProjectFile), r.projectFile.isEmpty() ? t(ReportText::NoProjectFile)
                                                                                : r.projectFile};
        if (r.product) {
            const ProductInfo &info = *r.product;
            const QString name = productName(info.ProductType);
            rows << QStringList{t(ReportText::Product),
                                name.isEmpty() ? QString::number(info.ProductType)
                                               : QStringLiteral("%1 (%2)").arg(name).arg(info.ProductType)};
            rows << QStringList{t(ReportText::Firmware), QString::number(info.FirmwareVersion / 100.0, 'f', 2)};
            rows << QStringList{t(ReportText::SerialNumber), QString::number(info.SerialNumber)};
            rows << QStringList{t(ReportText::ProductionDate), QStringLiteral("%1-%2-%3")
                                                                   .arg(info.Year, 4, 10, QLatin1Char('0'))
                                                                   .arg(info.Month, 2, 10, QLatin1Char('0'))
                                                                   .arg(info.Day, 2, 10, QLatin1Char('0'))};
        } else {
            rows << QStringList{t(ReportText::Product), t(ReportText::NotFromScanner)};
        }
        rows << QStringList{t(ReportText::RangeClass), DeviceClasses::isValid(r.config.deviceClass)
                                                           ? QString::fromLatin1(DeviceClasses::rangeName(r.config.deviceClass))
                                                           : t(ReportText::RangeUnknown)};
        rows << QStringList{t(ReportText::InstallDirection),
                            parameterValue(r.config, Configuration::InstallDirectionRow, r.language)};
        rows << QStringList{t(ReportText::AreasInUse),
                            used.isEmpty() ? QStringLiteral("0")
                                           : QStringLiteral("%1: %2").arg(used.size()).arg(rangesText(used))};
        y = p.table(y, {50, RP::Right - RP::Left - 50}, {}, rows, 8, 10) + 8;

        // The fingerprint large enough to read out, the whole hash below it.
        y = p.heading(y, t(ReportText::Fingerprint));
        p.text(QRectF(RP::Left, y, RP::Right - RP::Left, 10), r.fingerprint.text(r.language),
               p.font(r.fingerprint.isValid() ? 20 : 12, true, r.fingerprint.isValid()));
        y += 11;
        if (r.fingerprint.isValid())
            p.text(QRectF(RP::Left, y, RP::Right - RP::Left, 5),
                   t(ReportText::Sha256) + QStringLiteral("  ") + r.fingerprint.hex(), p.font(7.5, false, true));
        y += 14;

        // Lines to fill in by hand.
        const double w = RP::Right - RP::Left;
        const QVector<double> widths{38, (w - 38) * 0.34, (w - 38) * 0.22, (w - 38) * 0.44};
        p.table(y, widths, {QString(), t(ReportText::Name), t(ReportText::Date), t(ReportText::Signature)},
                {{t(ReportText::ConfiguredBy)}, {t(ReportText::CheckedBy)}}, 16, 10, 8);
    }

    void parameters()
    {
        p.newPage();
        const double y = p.title(t(ReportText::Parameters));
        QVector<QStringList> rows;
        for (int row = 0; row < kSensorDockRows; ++row)
            if (isParameterRow(row))
                rows << QStringList{QString::number(rows.size() + 1), parameterName(row, r.language),
                                    parameterValue(r.config, row, r.language)};
        p.table(y, {12, 78, RP::Right - RP::Left - 90}, {QStringLiteral("#"), t(ReportText::Parameter), t(ReportText::Value)},
                rows, 8, 9.5);
    }

    void cases()
    {
        const int pages = ReportContent::pageCount(used.size(), kCaseRowsPerPage);
        for (int page = 0; page < pages; ++page) {
            p.newPage();
            const double y = p.title(t(ReportText::CaseTable));
            if (used.isEmpty()) {
                p.text(QRectF(RP::Left, y, RP::Right - RP::Left, 6), t(ReportText::NoAreasInUse), p.font(10));
                continue;
            }
            QVector<QStringList> rows;
            for (int i = page * kCaseRowsPerPage; i < used.size() && i < (page + 1) * kCaseRowsPerPage; ++i) {
                const AreaRecord &a = r.config.areas.at(used.at(i));
                // As the scanner keeps them: 16 bits each.
                rows << QStringList{QString::number(used.at(i)), QString::number(qint16(a.SteerMinDgree)),
                                    QString::number(qint16(a.SteerMaxDgree)), QString::number(qint16(a.VehicleMinSpeed)),
                                    QString::number(qint16(a.VehicleMaxSpeed)),
                                    t(ReportText::OperationModeItem).arg(qint16(a.VehicleOptionMode))};
            }
            const double w = (RP::Right - RP::Left - 16) / 5;
            p.table(y, {16, w, w, w, w, w},
                    {t(ReportText::Area), t(ReportText::SteerMin), t(ReportText::SteerMax), t(ReportText::SpeedMin),
                     t(ReportText::SpeedMax), t(ReportText::OperationMode)},
                    rows, 5.8, 9);
        }
    }

    QString kinds(const AreaRecord &a) const
    {
        QStringList k;
        for (int o = 0; o < 3; ++o)
            k << reportKindName(a.shape(o), r.language);
        return k.join(QStringLiteral(" / "));
    }

    void overview()
    {
        const int perPage = kThumbnailColumns * kThumbnailRows;
        const double cellW = (RP::Right - RP::Left) / kThumbnailColumns;
        const double cellH = (RP::Bottom - kContentTop) / kThumbnailRows;
        for (int i = 0; i < used.size(); ++i) {
            if (i % perPage == 0) {
                p.newPage();
                p.title(t(ReportText::Overview));
            }
            const int n = i % perPage;
            const double x = RP::Left + (n % kThumbnailColumns) * cellW;
            const double y = kContentTop + (n / kThumbnailColumns) * cellH;
            const AreaRecord &a = r.config.areas.at(used.at(i));
            const QRectF box = p.rect(x + 2, y, cellW - 4, cellH - 12);
            p.painter().setPen(QPen(QColor(170, 170, 170), 0.1 * p.dotsPerMm()));
            p.painter().setBrush(Qt::NoBrush);
            p.painter().drawRect(box);
            ZoneDrawing::drawThumbnail(p.painter(), box, a);
            p.text(QRectF(x + 2, y + cellH - 11.5, cellW - 4, 5), t(ReportText::AreaTitle).arg(used.at(i)),
                   p.font(9, true), Qt::AlignHCenter | Qt::AlignVCenter);
            p.text(QRectF(x + 2, y + cellH - 6.5, cellW - 4, 4.5), kinds(a), p.font(7),
                   Qt::AlignHCenter | Qt::AlignVCenter, QColor(70, 70, 70));
        }
    }

    // The area's parameters, case conditions and dimensions beside its drawing.
    void sideColumn(const AreaRecord &a, double x, double y)
    {
        const double w = RP::Right - x;
        const QFont body = p.font(8);
        const QFont bold = p.font(8.5, true);
        auto line = [&](const QString &text, bool heading = false) {
            p.text(QRectF(x, y, w, 4), text, heading ? bold : body);
            y += 4;
        };
        auto labelled = [&](ReportText label, const QString &value) { line(t(label) + QStringLiteral(": ") + value); };
        labelled(ReportText::OpenDelay, QStringLiteral("%1 ms").arg(a.OpenDelay * 20));
        labelled(ReportText::CloseDelay, QStringLiteral("%1 ms").arg(a.CloseDelay * 20));
        labelled(ReportText::Hysteresis, a.Hysteresis == 0 ? t(ReportText::HysteresisOff)
                                                           : QStringLiteral("%1%").arg(a.Hysteresis));
        labelled(ReportText::DetectionSize, QStringLiteral("%1°").arg((a.DetectionSize + 1) * 0.5, 0, 'f', 1));
        y += 2;
        line(t(ReportText::CaseConditions), true);
        labelled(ReportText::SteerMin, QString::number(qint16(a.SteerMinDgree)));
        labelled(ReportText::SteerMax, QString::number(qint16(a.SteerMaxDgree)));
        labelled(ReportText::SpeedMin, QString::number(qint16(a.VehicleMinSpeed)));
        labelled(ReportText::SpeedMax, QString::number(qint16(a.VehicleMaxSpeed)));
        labelled(ReportText::OperationMode, t(ReportText::OperationModeItem).arg(qint16(a.VehicleOptionMode)));
        y += 2;
        line(t(ReportText::Dimensions), true);
        const std::array<ReportContent::OutputDimensions, 3> dims = ReportContent::dimensions(a);
        for (int o = 0; o < 3; ++o) {
            const ReportContent::OutputDimensions &d = dims[size_t(o)];
            p.painter().fillRect(p.rect(x, y + 0.8, 2.6, 2.6), ZoneDrawing::outputColor(o));
            p.text(QRectF(x + 3.6, y, w - 3.6, 4),
                   QStringLiteral("%1 %2, %3").arg(outputName(o), reportKindName(a.shape(o), r.language),
                                                  t(ReportText::PointCount).arg(a.points(o).size())),
                   p.font(8, true));
            y += 4;
            int start = 0, end = 0, radius = 0;
            if (ReportContent::arcAsSent(a, o, &start, &end, &radius))
                line(QStringLiteral("  ") + t(ReportText::ArcStored).arg(start).arg(end).arg(radius));
            if (isDependentShape(a.shape(o)) && a.points(o).size() == 1)
                line(QStringLiteral("  ") + t(ReportText::DerivedDistance).arg(a.points(o).first().y()));
            if (!d.drawn)
                continue;
            line(QStringLiteral("  ") + t(ReportText::Reach).arg(qRound(d.reach)));
            line(QStringLiteral("  ") + t(ReportText::AcrossX).arg(qRound(d.extent.left())).arg(qRound(d.extent.right())));
            line(QStringLiteral("  ") + t(ReportText::AlongY).arg(qRound(d.extent.top())).arg(qRound(d.extent.bottom())));
        }
    }

    void pointColumns(const AreaRecord &a, const QVector<ReportContent::PointColumn> &columns, double y)
    {
        const double w = (RP::Right - RP::Left) / kPointColumns;
        for (int c = 0; c < columns.size(); ++c) {
            const ReportContent::PointColumn &col = columns.at(c);
            const double x = RP::Left + c * w;
            p.painter().fillRect(p.rect(x + 0.5, y, w - 1, kPointRowHeight), QColor(232, 232, 232));
            p.painter().fillRect(p.rect(x + 1.2, y + 0.8, 2.4, 2.4), ZoneDrawing::outputColor(col.output));
            p.text(QRectF(x + 4.4, y, w - 5, kPointRowHeight),
                   outputName(col.output) + QLatin1Char(' ') + reportKindName(a.shape(col.output), r.language),
                   p.font(7.5, true));
            double rowY = y + kPointRowHeight;
            if (col.count == 0)
                p.text(QRectF(x + 1.2, rowY, w - 2, kPointRowHeight), t(ReportText::NoPoints), p.font(7.5),
                       Qt::AlignLeft | Qt::AlignVCenter, QColor(90, 90, 90));
            const QVector<QPoint> &points = a.points(col.output);
            for (int i = col.first; i < col.first + col.count; ++i, rowY += kPointRowHeight) {
                // Numbered from 1 as in the coordinate tables.
                p.text(QRectF(x + 0.5, rowY, 7, kPointRowHeight), QString::number(i + 1), p.font(7, false, true),
                       Qt::AlignRight | Qt::AlignVCenter, QColor(90, 90, 90));
                p.text(QRectF(x + 8.5, rowY, w - 9, kPointRowHeight),
                       QStringLiteral("%1, %2").arg(points.at(i).x()).arg(points.at(i).y()), p.font(7, false, true));
            }
        }
    }

    void areaPages(int index)
    {
        const AreaRecord &a = r.config.areas.at(index);
        const QVector<QVector<ReportContent::PointColumn>> pages =
            ReportContent::pointPages(a, kPointColumns, kFirstPointRows, kLaterPointRows);
        for (int page = 0; page < pages.size(); ++page) {
            p.newPage();
            double y = p.title(t(page == 0 ? ReportText::AreaTitle : ReportText::AreaTitleContinued).arg(index));
            if (page == 0) {
                const QRectF extent = ReportContent::drawingExtent(a);
                const int scale = ReportContent::drawingScale(extent.size(), QSizeF(kDrawingSize, kDrawingSize));
                const int grid = ReportContent::gridStep(scale, kMinimumGridOnPaper);
                ZoneDrawing::drawToScale(p.painter(), p.rect(RP::Left, y, kDrawingSize, kDrawingSize), p.dotsPerMm(), a,
                                         extent, scale, grid);
                sideColumn(a, RP::Left + kDrawingSize + 6, y);
                y += kDrawingSize + 1;
                p.painter().fillRect(p.rect(RP::Left, y + 1.2, 3, 3), QColor(125, 125, 125, 125));
                p.text(QRectF(RP::Left + 4, y, 40, 5.5), t(ReportText::BlindSector), p.font(8));
                p.text(QRectF(RP::Left + 30, y, kDrawingSize - 30, 5.5),
                       t(ReportText::ScaleAndGrid).arg(scale).arg(grid), p.font(8), Qt::AlignRight | Qt::AlignVCenter);
                y += 9;
            }
            y = p.heading(y, t(ReportText::PointTables));
            pointColumns(a, pages.at(page), y);
        }
    }

    const CommissioningReport &r;
    const QVector<int> used;
    ReportPainter p;
};
} // namespace

int CommissioningReport::pageCount() const
{
    const QVector<int> used = ReportContent::areasInUse(config.areas);
    const int perOverview = kThumbnailColumns * kThumbnailRows;
    int pages = 2 + ReportContent::pageCount(used.size(), kCaseRowsPerPage) + (used.size() + perOverview - 1) / perOverview;
    for (int area : used)
        pages += ReportContent::pointPages(config.areas.at(area), kPointColumns, kFirstPointRows, kLaterPointRows).size();
    return pages;
}

bool CommissioningReport::write(QIODevice *device) const
{
    QPdfWriter pdf(device);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(600);
    pdf.setTitle(reportText(ReportText::Title, language));
    pdf.setCreator(QStringLiteral("Quillmark"));
    return Writer(*this, &pdf).run();
}

bool CommissioningReport::save(const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    if (!write(&file)) {
        *error = file.errorString().isEmpty() ? QStringLiteral("the PDF writer failed") : file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
