#include "data_table.h"

#include "linkstate.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>

DATA_TABLE::DATA_TABLE(LinkState *Link, QTableWidget *DataTableWidget, QLabel *Heading, QWidget *parent)
    : QTableWidget(parent), Link(Link), Table(DataTableWidget), Heading(Heading)
{
    // 22 pixels is below the style's minimum for some fonts: lower it first.
    Table->verticalHeader()->setMinimumSectionSize(22);
    Table->verticalHeader()->setDefaultSectionSize(22);
    Table->setColumnCount(3);
    Table->setColumnWidth(0, 40);
    Table->setColumnWidth(1, 90);
    Table->horizontalHeader()->setStretchLastSection(true);
    if (Heading)
        Heading->setWordWrap(true);
    retranslate(0);
    Table->horizontalHeader()->setDefaultAlignment(Qt::AlignJustify);
    applyLayout(DataTableLayout());
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->verticalHeader()->setVisible(false);
    Table->installEventFilter(this);
}

bool DATA_TABLE::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Table && event->type() == QEvent::Show && Pending)
        DataTableWidgetDisplay();
    return QTableWidget::eventFilter(watched, event);
}

void DATA_TABLE::retranslate(int languageFlag)
{
    Language = languageFlag;
    if (languageFlag == 1)
        Table->setHorizontalHeaderLabels({QStringLiteral("Step"), QStringLiteral("Distance[mm]"),
                                          QStringLiteral("Intensity")});
    else
        Table->setHorizontalHeaderLabels({QStringLiteral("角度"), QStringLiteral("距离[mm]"),
                                          QStringLiteral("反光强度")});
    if (Heading)
        Heading->setText(Shown.heading(Language));
}

void DATA_TABLE::applyLayout(const DataTableLayout &layout)
{
    Table->setRowCount(layout.rows);
    for (int r = 0; r < layout.rows; ++r) {
        for (int c = 0; c < 3; ++c)
            if (!Table->item(r, c))
                Table->setItem(r, c, new QTableWidgetItem);
        Table->item(r, 0)->setText(QString::number(layout.numberOfRow(r)));
    }
    // The sample numbers of a dense Ethernet scan run to five digits.
    const QString widest = QString::number(layout.numberOfRow(qMax(0, layout.rows - 1)));
    const bool net = layout.source == DataTableLayout::Source::Ethernet;
    Table->setColumnWidth(0, net ? qMax(40, Table->fontMetrics().horizontalAdvance(widest) + 10) : 40);
    Shown = layout;
    if (Heading)
        Heading->setText(Shown.heading(Language));
}

void DATA_TABLE::DataTableWidgetDisplay()
{
    if (!Link)
        return;
    // Nobody reads a table whose dock is put away: it is filled when shown
    // again, and the densest stream costs it nothing meanwhile.
    if (!Table->isVisibleTo(Table->window())) {
        Pending = true;
        return;
    }
    Pending = false;
    // Laid out again only when the kind of scan changes: the cells are made
    // once and then only rewritten, many times a second.
    const DataTableLayout layout = DataTableLayout::of(*Link);
    if (layout != Shown)
        applyLayout(layout);
    const bool net = Shown.source == DataTableLayout::Source::Ethernet;
    const QVector<quint16> &distances = net ? Link->NetDistances : Link->SerialDistances;
    const QVector<quint16> &intensities = net ? Link->NetIntensities : Link->SerialIntensities;
    const QVector<quint16> *columns[2] = {&distances, &intensities};
    for (int r = 0; r < Shown.rows; ++r) {
        const int s = Shown.sampleOfRow(r);
        for (int c = 0; c < 2; ++c)
            Table->item(r, c + 1)->setText(s < columns[c]->size() ? QString::number((*columns[c])[s]) : QString());
    }
}
