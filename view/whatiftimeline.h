#pragma once

#include "whatif.h"

#include <QRect>
#include <QVector>
#include <QWidget>
#include <array>

// A what-if result over time: per output a band of the project's output and
// one of the scanner's reported output (set = filled), red ticks over the row
// where they disagree, and a position cursor. Runs and marks are worked out
// once per result, so an hour of scans paints as fast as a minute.
class WhatIfTimeline : public QWidget
{
    Q_OBJECT
public:
    explicit WhatIfTimeline(QWidget *parent = nullptr);

    void setResult(const WhatIfResult &result);
    const WhatIfResult &result() const { return m_result; }
    void setPosition(qint64 us);
    qint64 position() const { return m_position; }

    // Where things are drawn: the x of a time, and output k's row.
    int xOfTime(qint64 us) const;
    QRect rowRect(int output) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void scanClicked(int scanIndex);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Run
    {
        qint64 fromUs;
        qint64 toUs;
    };
    struct Mark
    {
        qint64 timeUs;
        int scan;
    };

    QRect plotRect() const;
    void measureLabels();
    int nearestScan(qint64 us) const;
    void paintRuns(QPainter &painter, const QVector<Run> &runs, int top, int height, const QColor &colour) const;

    WhatIfResult m_result;
    std::array<QVector<Run>, 3> m_projectRuns;
    std::array<QVector<Run>, 3> m_reportedRuns;
    std::array<QVector<Mark>, 3> m_marks; // by time
    qint64 m_startUs = 0;
    qint64 m_endUs = 1;
    qint64 m_position = -1;
    int m_labelWidth = 0; // measured once per font and language
};
