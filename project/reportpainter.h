#pragma once

#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QStringList>
#include <QVector>

class QPagedPaintDevice;

// Paper-sized helpers for the commissioning report: A4 pages laid out in
// millimetres, each with the same footer (a text on the left, the page number
// on the right), titles, headings and ruled tables.
class ReportPainter
{
public:
    static constexpr double PageWidth = 210.0; // A4, millimetres
    static constexpr double PageHeight = 297.0;
    static constexpr double Left = 18.0;
    static constexpr double Right = PageWidth - 18.0;
    static constexpr double Top = 16.0;
    static constexpr double Bottom = PageHeight - 20.0; // the footer lies below

    // The device's page size and margins must already be set.
    ReportPainter(QPagedPaintDevice *device, int language, const QString &footer, int pageCount);

    // Opens the first page; false when the device cannot be painted on.
    bool begin();
    bool end();
    void newPage();
    int page() const { return m_page; }

    QPainter &painter() { return m_painter; }
    double dotsPerMm() const { return m_dotsPerMm; }
    QRectF rect(double x, double y, double w, double h) const;
    // A font of the report's family for its language; fixed pitch for hashes.
    QFont font(double points, bool bold = false, bool fixed = false) const;

    // Draws text in the millimetre box, elided on the right when it does not fit.
    void text(const QRectF &box, const QString &text, const QFont &font, int flags = Qt::AlignLeft | Qt::AlignVCenter,
              const QColor &color = Qt::black);
    // The page's title at the top; returns where the content starts.
    double title(const QString &text);
    // A section heading at y; returns the y below it.
    double heading(double y, const QString &text);
    // A table at y under a shaded header row (none when header is empty; as
    // high as a row unless headerHeight is given); widths in millimetres.
    // Returns the y below it.
    double table(double y, const QVector<double> &widths, const QStringList &header, const QVector<QStringList> &rows,
                 double rowHeight, double points, double headerHeight = 0);

private:
    void footer();

    QPagedPaintDevice *m_device;
    QPainter m_painter;
    QString m_family;
    QString m_footer;
    int m_language;
    int m_pageCount;
    int m_page = 0;
    double m_dotsPerMm = 1.0;
};
