#pragma once

#include <QLayout>
#include <QList>

// Lays its items out left to right at their preferred sizes and starts a new
// line where the next item would not fit, so a narrow window shows the same
// controls on more lines instead of cutting them off. Each line is as tall as
// its tallest item; items are centred vertically in it.
class FlowLayout : public QLayout
{
public:
    explicit FlowLayout(QWidget *parent, int horizontalSpacing, int verticalSpacing);
    ~FlowLayout() override;

    void addItem(QLayoutItem *item) override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;

    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect &rect) override;

private:
    // Places the items in rect (only measures when place is false); returns
    // the height used, margins included.
    int arrange(const QRect &rect, bool place) const;

    QList<QLayoutItem *> m_items;
    int m_horizontalSpacing;
    int m_verticalSpacing;
};
