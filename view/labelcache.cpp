#include "labelcache.h"

#include <QFontMetricsF>
#include <QPainter>

void LabelCache::draw(QPainter *painter, const QPointF &baseline, const QString &text)
{
    if (!known || painter->font() != font) {
        font = painter->font();
        ascent = QFontMetricsF(font, painter->device()).ascent();
        known = true;
        texts.clear();
    }
    auto it = texts.find(text);
    if (it == texts.end()) {
        // Scrolling far brings ever new numbers: start again rather than grow.
        if (texts.size() >= Capacity)
            texts.clear();
        QStaticText laidOut(text);
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.prepare(QTransform(), font);
        it = texts.insert(text, laidOut);
    }
    // A static text is placed by its top left corner.
    painter->drawStaticText(baseline - QPointF(0, ascent), *it);
}
