#include "flowlayout.h"

#include <QWidget>

FlowLayout::FlowLayout(QWidget *parent, int horizontalSpacing, int verticalSpacing)
    : QLayout(parent), m_horizontalSpacing(horizontalSpacing), m_verticalSpacing(verticalSpacing)
{
}

FlowLayout::~FlowLayout()
{
    while (QLayoutItem *item = takeAt(0))
        delete item;
}

void FlowLayout::addItem(QLayoutItem *item) { m_items.append(item); }

int FlowLayout::count() const { return m_items.size(); }

QLayoutItem *FlowLayout::itemAt(int index) const { return m_items.value(index); }

QLayoutItem *FlowLayout::takeAt(int index)
{
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

Qt::Orientations FlowLayout::expandingDirections() const { return {}; }

bool FlowLayout::hasHeightForWidth() const { return true; }

int FlowLayout::heightForWidth(int width) const { return arrange(QRect(0, 0, width, 0), false); }

// As narrow as the widest item: everything else can go onto further lines.
QSize FlowLayout::minimumSize() const
{
    QSize size;
    for (const QLayoutItem *item : m_items)
        if (!item->isEmpty())
            size = size.expandedTo(item->minimumSize().expandedTo(item->sizeHint()));
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

// Everything on one line.
QSize FlowLayout::sizeHint() const
{
    int width = 0;
    int height = 0;
    for (const QLayoutItem *item : m_items) {
        if (item->isEmpty())
            continue;
        width += (width > 0 ? m_horizontalSpacing : 0) + item->sizeHint().width();
        height = qMax(height, item->sizeHint().height());
    }
    const QMargins m = contentsMargins();
    return QSize(width + m.left() + m.right(), height + m.top() + m.bottom());
}

void FlowLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int FlowLayout::arrange(const QRect &rect, bool place) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    int y = area.y();
    int lineStart = 0;
    while (lineStart < m_items.size()) {
        // Fill one line: at least one item, however narrow the area.
        int lineEnd = lineStart;
        int width = 0;
        int height = 0;
        for (; lineEnd < m_items.size(); ++lineEnd) {
            const QLayoutItem *item = m_items[lineEnd];
            if (item->isEmpty())
                continue;
            const int next = width + (width > 0 ? m_horizontalSpacing : 0) + item->sizeHint().width();
            if (width > 0 && next > area.width())
                break;
            width = next;
            height = qMax(height, item->sizeHint().height());
        }
        if (place) {
            int x = area.x();
            for (int i = lineStart; i < lineEnd; ++i) {
                QLayoutItem *item = m_items[i];
                if (item->isEmpty())
                    continue;
                const QSize size = item->sizeHint().boundedTo(QSize(area.width(), height));
                item->setGeometry(QRect(QPoint(x, y + (height - size.height()) / 2), size));
                x += size.width() + m_horizontalSpacing;
            }
        }
        if (height > 0)
            y += height + m_verticalSpacing;
        lineStart = lineEnd;
    }
    if (y > area.y())
        y -= m_verticalSpacing;
    return y - rect.y() + contentsMargins().bottom();
}
