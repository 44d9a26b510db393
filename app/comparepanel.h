#pragma once

#include "configdiff.h"
#include "scannercomparison.h"

#include <QWidget>

class QLabel;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// The comparison dock's page: a line with the result, the differences grouped
// by parameters, case table and areas (an area's lines under its own node),
// and the buttons to read again, take a part from the scanner and write the
// differences. It shows and asks; the window acts.
class ComparePanel : public QWidget
{
    Q_OBJECT
public:
    explicit ComparePanel(QWidget *parent = nullptr);

    // lines[i] reads differences[i]; languageFlag names the groups.
    void showDifferences(const QString &summary, const QVector<Difference> &differences, const QStringList &lines,
                         int languageFlag);
    void retranslate(int languageFlag);
    void setButtonsEnabled(bool refresh, bool write);

    // What the selection asks to take: a part, for areas with its area.
    ScannerComparison::Part selectedPart() const;
    int selectedArea() const;

    QLabel *summary() const { return m_summary; }
    QTreeWidget *tree() const { return m_tree; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void refreshRequested();
    void takeRequested();
    void writeRequested();
    // A line was chosen: its index in the list shown.
    void differenceActivated(int index);
    void areaActivated(int area);

private:
    void itemChosen(QTreeWidgetItem *item);
    void updateTake();

    QLabel *m_summary;
    QTreeWidget *m_tree;
    QToolButton *m_refresh;
    QToolButton *m_take;
    QToolButton *m_write;
};
