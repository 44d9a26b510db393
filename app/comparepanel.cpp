#include "comparepanel.h"

#include "comparetexts.h"
#include "flowlayout.h"

#include <QEvent>
#include <QStyledItemDelegate>
#include <QHeaderView>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
using ScannerComparison::Part;
// Per item: its part, its area (-1: none) and its line (-1: a group).
constexpr int kPartRole = Qt::UserRole;
constexpr int kAreaRole = Qt::UserRole + 1;
constexpr int kLineRole = Qt::UserRole + 2;

QTreeWidgetItem *node(Part part, int area, int line, const QString &text)
{
    auto *item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, kPartRole, int(part));
    item->setData(0, kAreaRole, area);
    item->setData(0, kLineRole, line);
    item->setToolTip(0, text);
    return item;
}

// Rows as tall as their wrapped lines: a tree view measures its rows
// without a width, so the line is measured here at the width it is drawn in,
// the column's less its depth's indentation.
class WrappingDelegate : public QStyledItemDelegate
{
public:
    explicit WrappingDelegate(QTreeWidget *tree) : QStyledItemDelegate(tree), m_tree(tree) {}
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        int depth = m_tree->rootIsDecorated() ? 1 : 0;
        for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
            ++depth;
        QStyleOptionViewItem indented(option);
        // The style wraps only within a valid rectangle: any height will do.
        indented.rect = QRect(0, 0, qMax(40, m_tree->columnWidth(0) - depth * m_tree->indentation()), 1000);
        return QStyledItemDelegate::sizeHint(indented, index);
    }

private:
    QTreeWidget *m_tree;
};

QToolButton *button(const QString &name, const QString &icon)
{
    auto *b = new QToolButton;
    b->setObjectName(name);
    b->setIcon(QIcon(icon));
    b->setIconSize(QSize(20, 20));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return b;
}
} // namespace

ComparePanel::ComparePanel(QWidget *parent)
    : QWidget(parent), m_summary(new QLabel), m_tree(new QTreeWidget),
      m_refresh(button(QStringLiteral("CompareRefresh"), QStringLiteral(":/images/Refresh.png"))),
      m_take(button(QStringLiteral("CompareTake"), QStringLiteral(":/images/upload.png"))),
      m_write(button(QStringLiteral("CompareWrite"), QStringLiteral(":/images/writeDifferences.png")))
{
    m_summary->setObjectName(QStringLiteral("CompareSummary"));
    m_summary->setWordWrap(true);
    QFont bold = m_summary->font();
    bold.setBold(true);
    m_summary->setFont(bold);
    m_tree->setObjectName(QStringLiteral("CompareTree"));
    m_tree->setColumnCount(1);
    m_tree->header()->hide();
    // A line says both values and how far a point moved: wrapped, not cut.
    // A hidden header gets no resize events, so the column follows the
    // viewport by hand.
    m_tree->setWordWrap(true);
    m_tree->setTextElideMode(Qt::ElideNone);
    m_tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tree->viewport()->installEventFilter(this);
    m_tree->setItemDelegate(new WrappingDelegate(m_tree));

    // The buttons go onto two lines where the dock is narrow.
    auto *buttonRow = new QWidget;
    auto *buttons = new FlowLayout(buttonRow, 4, 2);
    buttons->setContentsMargins(0, 0, 0, 0);
    for (QToolButton *b : {m_refresh, m_take, m_write})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(buttonRow);
    layout->addWidget(m_summary);
    layout->addWidget(m_tree, 1);

    connect(m_refresh, &QToolButton::clicked, this, &ComparePanel::refreshRequested);
    connect(m_take, &QToolButton::clicked, this, &ComparePanel::takeRequested);
    connect(m_write, &QToolButton::clicked, this, &ComparePanel::writeRequested);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { itemChosen(item); });
    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) { itemChosen(item); });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &ComparePanel::updateTake);
    updateTake();
}

void ComparePanel::showDifferences(const QString &summary, const QVector<Difference> &differences,
                                   const QStringList &lines, int flag)
{
    m_summary->setText(summary);
    m_tree->clear();
    QVector<int> byPart[3];
    for (int i = 0; i < differences.size() && i < lines.size(); ++i) {
        const Part part = ScannerComparison::partOf(differences.at(i));
        if (part != Part::None)
            byPart[int(part)].append(i);
    }
    const QString titles[3] = {CompareTexts::parametersGroup(flag, byPart[0].size()),
                               CompareTexts::caseTableGroup(flag, byPart[1].size()),
                               CompareTexts::areasGroup(flag, byPart[2].size())};
    for (int p = 0; p < 3; ++p) {
        if (byPart[p].isEmpty())
            continue;
        QTreeWidgetItem *group = node(Part(p), -1, -1, titles[p]);
        m_tree->addTopLevelItem(group);
        QTreeWidgetItem *areaItem = nullptr;
        for (int i : qAsConst(byPart[p])) {
            const int area = differences.at(i).area;
            QTreeWidgetItem *parent = group;
            if (Part(p) == Part::Areas) {
                // The lines of one area under a node of their own.
                if (!areaItem || areaItem->data(0, kAreaRole).toInt() != area) {
                    areaItem = node(Part::Areas, area, -1, QString());
                    group->addChild(areaItem);
                }
                parent = areaItem;
            }
            parent->addChild(node(Part(p), area, i, lines.at(i)));
        }
        for (int k = 0; Part(p) == Part::Areas && k < group->childCount(); ++k) {
            QTreeWidgetItem *a = group->child(k);
            a->setText(0, CompareTexts::areaNode(flag, a->data(0, kAreaRole).toInt(), a->childCount()));
        }
        group->setExpanded(true);
    }
    m_tree->expandAll();
    updateTake();
}

void ComparePanel::retranslate(int flag)
{
    m_refresh->setText(CompareTexts::refreshButton(flag));
    m_refresh->setToolTip(CompareTexts::refreshTip(flag));
    m_take->setText(CompareTexts::takeButton(flag));
    m_take->setToolTip(CompareTexts::takeTip(flag));
    m_write->setText(CompareTexts::writeButton(flag));
    m_write->setToolTip(CompareTexts::writeTip(flag));
}

void ComparePanel::setButtonsEnabled(bool refresh, bool write)
{
    m_refresh->setEnabled(refresh);
    m_write->setEnabled(write);
}

Part ComparePanel::selectedPart() const
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    if (!item)
        return Part::None;
    const Part part = Part(item->data(0, kPartRole).toInt());
    // The areas' group names no one area.
    if (part == Part::Areas && item->data(0, kAreaRole).toInt() < 0)
        return Part::None;
    return part;
}

int ComparePanel::selectedArea() const
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    return item ? item->data(0, kAreaRole).toInt() : -1;
}

void ComparePanel::itemChosen(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const int line = item->data(0, kLineRole).toInt();
    const int area = item->data(0, kAreaRole).toInt();
    if (line >= 0)
        emit differenceActivated(line);
    else if (area >= 0)
        emit areaActivated(area);
}

bool ComparePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree->viewport() && event->type() == QEvent::Resize) {
        m_tree->setColumnWidth(0, m_tree->viewport()->width());
        m_tree->doItemsLayout(); // row heights for the new width
    }
    return QWidget::eventFilter(watched, event);
}

void ComparePanel::updateTake() { m_take->setEnabled(selectedPart() != Part::None); }
