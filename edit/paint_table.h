#pragma once

#include <QWidget>

struct EditData;

// Miniature of one area's three zones in the area list. Each thumbnail scales
// to its own farthest point, so areas of the same form look alike at any size.
class PAINT_TABLE : public QWidget
{
    Q_OBJECT
public:
    PAINT_TABLE(int Index, EditData *Data, QWidget *parent = nullptr);

    int areaIndex() const { return m_index; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_index;
    EditData *m_data;
};
