#include "whatiftimeline.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <climits>

namespace {
constexpr int kMargin = 4;
constexpr int kClickReach = 4; // pixels a click may miss a mark by
const QColor kProjectColour(40, 90, 180);
const QColor kScannerColour(50, 140, 70);
const QColor kBandColour(228, 228, 228);
const QColor kMarkColour(220, 30, 30);

// Appends [from, to) to runs, joining it to the last run when they touch.
template <typename Run>
void extend(QVector<Run> &runs, qint64 from, qint64 to)
{
    if (!runs.isEmpty() && runs.last().toUs == from)
        runs.last().toUs = to;
    else
        runs.append({from, to});
}
} // namespace

WhatIfTimeline::WhatIfTimeline(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    measureLabels();
}

void WhatIfTimeline::setResult(const WhatIfResult &result)
{
    m_result = result;
    const QVector<WhatIfScan> &scans = m_result.scans;
    for (int k = 0; k < 3; ++k) {
        m_projectRuns[size_t(k)].clear();
        m_reportedRuns[size_t(k)].clear();
        m_marks[size_t(k)].clear();
    }
    const int n = scans.size();
    for (int i = 0; i < n; ++i) {
        const WhatIfScan &s = scans.at(i);
        // A scan's state lasts until the next scan; the last one as long as
        // the one before it.
        const qint64 to = i + 1 < n ? scans.at(i + 1).timeUs : i > 0 ? 2 * s.timeUs - scans.at(i - 1).timeUs : s.timeUs;
        for (int k = 0; k < 3; ++k) {
            if (s.area >= 0 && (s.project >> k) & 1)
                extend(m_projectRuns[size_t(k)], s.timeUs, to);
            if (s.reportKnown && (s.reported >> k) & 1)
                extend(m_reportedRuns[size_t(k)], s.timeUs, to);
        }
    }
    for (int k = 0; k < 3; ++k)
        for (int scan : m_result.outputs[size_t(k)].disagreements)
            if (scan >= 0 && scan < n)
                m_marks[size_t(k)].append({scans.at(scan).timeUs, scan});
    m_startUs = n > 0 ? scans.first().timeUs : 0;
    m_endUs = n > 1 ? 2 * scans.last().timeUs - scans.at(n - 2).timeUs : m_startUs;
    if (m_endUs <= m_startUs)
        m_endUs = m_startUs + 1;
    update();
}

void WhatIfTimeline::setPosition(qint64 us)
{
    if (us == m_position)
        return;
    m_position = us;
    update();
}

void WhatIfTimeline::measureLabels()
{
    const QFontMetrics fm = fontMetrics();
    const int output = fm.horizontalAdvance(tr("Output %1").arg(3));
    const int band = qMax(fm.horizontalAdvance(tr("Project")), fm.horizontalAdvance(tr("Scanner")));
    m_labelWidth = kMargin + output + 2 * kMargin + band + kMargin;
}

QRect WhatIfTimeline::plotRect() const
{
    return rect().adjusted(m_labelWidth, kMargin, -kMargin, -kMargin);
}

int WhatIfTimeline::xOfTime(qint64 us) const
{
    const QRect plot = plotRect();
    return plot.left() + int(double(us - m_startUs) * plot.width() / double(m_endUs - m_startUs));
}

QRect WhatIfTimeline::rowRect(int output) const
{
    const QRect plot = plotRect();
    const int h = plot.height() / 3;
    return QRect(plot.left(), plot.top() + output * h, plot.width(), h);
}

// Each row holds two bands a line of text high, under the row's mark strip.
QSize WhatIfTimeline::sizeHint() const { return QSize(600, 3 * (2 * fontMetrics().height() + 10) + 2 * kMargin); }

QSize WhatIfTimeline::minimumSizeHint() const { return QSize(m_labelWidth + 100, 3 * 24 + 2 * kMargin); }

void WhatIfTimeline::paintRuns(QPainter &painter, const QVector<Run> &runs, int top, int height,
                               const QColor &colour) const
{
    // Runs closer than a pixel are drawn as one rectangle, so the cost is
    // bounded by the width, not by the number of switchings.
    int left = 0;
    int right = -2;
    for (const Run &r : runs) {
        const int x0 = xOfTime(r.fromUs);
        const int x1 = qMax(x0 + 1, xOfTime(r.toUs));
        if (x0 <= right + 1) {
            right = qMax(right, x1);
            continue;
        }
        if (right > left)
            painter.fillRect(left, top, right - left, height, colour);
        left = x0;
        right = x1;
    }
    if (right > left)
        painter.fillRect(left, top, right - left, height, colour);
}

void WhatIfTimeline::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const int bandLabelRight = m_labelWidth - kMargin;
    painter.setPen(palette().text().color());
    for (int k = 0; k < 3; ++k) {
        const QRect row = rowRect(k);
        const int tick = qMax(4, row.height() / 6);
        const int bandHeight = qMax(2, (row.height() - tick - 4) / 2);
        const int projectTop = row.top() + tick + 1;
        const int scannerTop = projectTop + bandHeight + 1;

        painter.drawText(QRect(kMargin, row.top(), bandLabelRight, row.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         tr("Output %1").arg(k + 1));
        painter.drawText(QRect(0, projectTop, bandLabelRight, bandHeight), Qt::AlignRight | Qt::AlignVCenter,
                         tr("Project"));
        painter.drawText(QRect(0, scannerTop, bandLabelRight, bandHeight), Qt::AlignRight | Qt::AlignVCenter,
                         tr("Scanner"));
        painter.fillRect(row.left(), projectTop, row.width(), bandHeight, kBandColour);
        painter.fillRect(row.left(), scannerTop, row.width(), bandHeight, kBandColour);
        paintRuns(painter, m_projectRuns[size_t(k)], projectTop, bandHeight, kProjectColour);
        paintRuns(painter, m_reportedRuns[size_t(k)], scannerTop, bandHeight, kScannerColour);

        int lastX = INT_MIN;
        for (const Mark &m : m_marks[size_t(k)]) {
            const int x = xOfTime(m.timeUs);
            if (x == lastX)
                continue;
            lastX = x;
            painter.fillRect(x - 1, row.top(), 2, tick, kMarkColour);
            // The mark runs on faintly through both bands, so the eye finds
            // where the two differ.
            QColor faint = kMarkColour;
            faint.setAlpha(110);
            painter.fillRect(x, projectTop, 1, 2 * bandHeight + 1, faint);
        }
    }
    if (m_position >= m_startUs && m_position <= m_endUs && !m_result.scans.isEmpty()) {
        const QRect plot = plotRect();
        const int x = xOfTime(m_position);
        painter.setPen(palette().windowText().color());
        painter.drawLine(x, plot.top(), x, plot.bottom());
    }
}

int WhatIfTimeline::nearestScan(qint64 us) const
{
    const QVector<WhatIfScan> &scans = m_result.scans;
    if (scans.isEmpty())
        return -1;
    const auto it = std::lower_bound(scans.begin(), scans.end(), us,
                                     [](const WhatIfScan &s, qint64 t) { return s.timeUs < t; });
    const int after = int(it - scans.begin());
    if (after == 0)
        return 0;
    if (after == scans.size())
        return after - 1;
    return us - scans.at(after - 1).timeUs <= scans.at(after).timeUs - us ? after - 1 : after;
}

void WhatIfTimeline::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_result.scans.isEmpty()) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint p = event->pos();
    const QRect plot = plotRect();
    const int row = qBound(0, plot.height() >= 3 ? (p.y() - plot.top()) * 3 / plot.height() : 0, 2);
    const double us = m_startUs + double(p.x() - plot.left()) * double(m_endUs - m_startUs) / qMax(1, plot.width());

    // The row's mark nearest on screen, when the click is close enough.
    const QVector<Mark> &marks = m_marks[size_t(row)];
    const auto it = std::lower_bound(marks.begin(), marks.end(), qint64(us),
                                     [](const Mark &m, qint64 t) { return m.timeUs < t; });
    int best = -1;
    int bestDistance = kClickReach + 1;
    for (auto c = it - (it != marks.begin() ? 1 : 0); c != marks.end() && c <= it; ++c) {
        const int d = qAbs(xOfTime(c->timeUs) - p.x());
        if (d < bestDistance) {
            bestDistance = d;
            best = c->scan;
        }
    }
    emit scanClicked(best >= 0 ? best : nearestScan(qint64(us)));
}

void WhatIfTimeline::changeEvent(QEvent *event)
{
    // The labels' widths change with the language and the font.
    if (event->type() == QEvent::LanguageChange || event->type() == QEvent::FontChange) {
        measureLabels();
        update();
    }
    QWidget::changeEvent(event);
}
