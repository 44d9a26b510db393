#include "data_table.h"

#include "linkstate.h"

#include <QHeaderView>

DATA_TABLE::DATA_TABLE(LinkState *Link, QTableWidget *DataTableWidget, QWidget *parent)
    : QTableWidget(parent), Link(Link), Table(DataTableWidget)
{
    // 22 pixels is below the style's minimum for some fonts: lower it first.
    Table->verticalHeader()->setMinimumSectionSize(22);
    Table->verticalHeader()->setDefaultSectionSize(22);
    Table->setRowCount(RowCount);
    Table->setColumnCount(3);
    Table->setColumnWidth(0, 40);
    Table->setColumnWidth(1, 90);
    Table->horizontalHeader()->setStretchLastSection(true);
    retranslate(0);
    Table->horizontalHeader()->setDefaultAlignment(Qt::AlignJustify);
    for (int r = 0; r < RowCount; ++r)
        Table->setItem(r, 0, new QTableWidgetItem(QString::number(r + 1)));
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->verticalHeader()->setVisible(false);
}

void DATA_TABLE::retranslate(int languageFlag)
{
    if (languageFlag == 1)
        Table->setHorizontalHeaderLabels({QStringLiteral("Step"), QStringLiteral("Distance[mm]"),
                                          QStringLiteral("Intensity")});
    else
        Table->setHorizontalHeaderLabels({QStringLiteral("角度"), QStringLiteral("距离[mm]"),
                                          QStringLiteral("反光强度")});
}

void DATA_TABLE::DataTableWidgetDisplay()
{
    if (!Link)
        return;
    const QVector<quint16> *columns[2] = {&Link->SerialDistances, &Link->SerialIntensities};
    for (int r = 0; r < RowCount; ++r) {
        const int s = Link->DirectionReversed ? RowCount - 1 - r : r;
        for (int c = 0; c < 2; ++c) {
            const QString text = s < columns[c]->size() ? QString::number((*columns[c])[s]) : QString();
            // A scan arrives many times a second: the cells are made once and
            // then only rewritten.
            if (QTableWidgetItem *item = Table->item(r, c + 1))
                item->setText(text);
            else
                Table->setItem(r, c + 1, new QTableWidgetItem(text));
        }
    }
}
