#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>

class QPainter;
class QPointF;

// The axis labels, laid out once and drawn many times: the view draws them at
// every repaint, and laying out a string costs several times drawing it. Holds
// the texts of one font at a time, and only so many of them.
class LabelCache
{
public:
    // Draws `text` in the painter's font and pen with the left end of its
    // baseline at `baseline`, as QPainter::drawText(QPointF, QString) does.
    void draw(QPainter *painter, const QPointF &baseline, const QString &text);

    int size() const { return texts.size(); }

    static constexpr int Capacity = 256;

private:
    QFont font;
    double ascent = 0;
    bool known = false;
    QHash<QString, QStaticText> texts;
};
