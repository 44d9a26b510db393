#include "reportpainter.h"

#include "reporttexts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>

namespace {
// A family that holds the language's characters: the Chinese report in a
// face made for it, the English one in a plain Latin face.
QString familyFor(int language)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QStringList all = QFontDatabase::families();
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
#else
    const QFontDatabase fonts;
    const QStringList all = fonts.families();
    const QStringList chinese = fonts.families(QFontDatabase::SimplifiedChinese);
#endif
    const QString wanted = language == 1 ? QStringLiteral("WenQuanYi Micro Hei") : QStringLiteral("DejaVu Sans");
    if (all.contains(wanted))
        return wanted;
    if (language == 1 && !chinese.isEmpty())
        return chinese.first();
    return QGuiApplication::font().family();
}
} // namespace

ReportPainter::ReportPainter(QPagedPaintDevice *device, int language, const QString &footer, int pageCount)
    : m_device(device), m_family(familyFor(language)), m_footer(footer), m_language(language), m_pageCount(pageCount)
{
}

bool ReportPainter::begin()
{
    if (!m_painter.begin(m_device))
        return false;
    m_dotsPerMm = m_device->logicalDpiX() / 25.4;
    m_page = 1;
    footer();
    return true;
}

bool ReportPainter::end() { return m_painter.end(); }

void ReportPainter::newPage()
{
    m_device->newPage();
    ++m_page;
    footer();
}

QRectF ReportPainter::rect(double x, double y, double w, double h) const
{
    return QRectF(x * m_dotsPerMm, y * m_dotsPerMm, w * m_dotsPerMm, h * m_dotsPerMm);
}

QFont ReportPainter::font(double points, bool bold, bool fixed) const
{
    QFont f(fixed ? QStringLiteral("DejaVu Sans Mono") : m_family);
    if (fixed)
        f.setStyleHint(QFont::Monospace);
    f.setPointSizeF(points);
    f.setBold(bold);
    // No ligatures: "fi" must stay two letters for whoever searches the text.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

void ReportPainter::text(const QRectF &box, const QString &text, const QFont &font, int flags, const QColor &color)
{
    m_painter.setFont(font);
    m_painter.setPen(color);
    const QRectF r = rect(box.x(), box.y(), box.width(), box.height());
    const QString shown = QFontMetricsF(font).elidedText(text, Qt::ElideRight, r.width());
    m_painter.drawText(r, flags, shown);
}

double ReportPainter::title(const QString &text)
{
    this->text(QRectF(Left, Top, Right - Left, 9), text, font(15, true));
    m_painter.setPen(QPen(QColor(60, 60, 60), 0.3 * m_dotsPerMm));
    m_painter.drawLine(QPointF(Left * m_dotsPerMm, (Top + 10) * m_dotsPerMm),
                       QPointF(Right * m_dotsPerMm, (Top + 10) * m_dotsPerMm));
    return Top + 14;
}

double ReportPainter::heading(double y, const QString &text)
{
    this->text(QRectF(Left, y, Right - Left, 7), text, font(11, true));
    return y + 8;
}

double ReportPainter::table(double y, const QVector<double> &widths, const QStringList &header,
                            const QVector<QStringList> &rows, double rowHeight, double points, double headerHeight)
{
    const QFont body = font(points);
    const QFont bold = font(points, true);
    double width = 0;
    for (double w : widths)
        width += w;
    auto row = [&](double top, double height, const QStringList &cells, const QFont &f) {
        double x = Left;
        for (int i = 0; i < widths.size(); ++i) {
            text(QRectF(x + 1.2, top, widths.at(i) - 2.4, height), cells.value(i), f);
            x += widths.at(i);
        }
    };
    double top = y;
    if (!header.isEmpty()) {
        const double h = headerHeight > 0 ? headerHeight : rowHeight;
        m_painter.fillRect(rect(Left, y, width, h), QColor(232, 232, 232));
        row(y, h, header, bold);
        top += h;
    } else {
        m_painter.setPen(QPen(QColor(190, 190, 190), 0.1 * m_dotsPerMm));
        m_painter.drawLine(QPointF(Left * m_dotsPerMm, y * m_dotsPerMm), QPointF((Left + width) * m_dotsPerMm, y * m_dotsPerMm));
    }
    for (const QStringList &cells : rows) {
        row(top, rowHeight, cells, body);
        m_painter.setPen(QPen(QColor(190, 190, 190), 0.1 * m_dotsPerMm));
        m_painter.drawLine(QPointF(Left * m_dotsPerMm, (top + rowHeight) * m_dotsPerMm),
                           QPointF((Left + width) * m_dotsPerMm, (top + rowHeight) * m_dotsPerMm));
        top += rowHeight;
    }
    return top;
}

void ReportPainter::footer()
{
    const double y = Bottom + 6;
    m_painter.setPen(QPen(QColor(150, 150, 150), 0.2 * m_dotsPerMm));
    m_painter.drawLine(QPointF(Left * m_dotsPerMm, y * m_dotsPerMm), QPointF(Right * m_dotsPerMm, y * m_dotsPerMm));
    const QFont f = font(8);
    const QColor grey(90, 90, 90);
    text(QRectF(Left, y + 1, 130, 5), m_footer, f, Qt::AlignLeft | Qt::AlignVCenter, grey);
    text(QRectF(Right - 40, y + 1, 40, 5), reportText(ReportText::Page, m_language).arg(m_page).arg(m_pageCount), f,
         Qt::AlignRight | Qt::AlignVCenter, grey);
}
