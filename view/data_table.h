#pragma once

#include "datatablelayout.h"

#include <QTableWidget>

class QLabel;
struct LinkState;

// Lists the latest scan sample by sample (step, distance, intensity) on the
// data table dock's table: the serial scan, or the assembled Ethernet scan
// thinned to at most 640 rows, under a heading that says which. Never shown
// itself: all its work is done on the table it is given. Keeps no copy of
// the samples.
class DATA_TABLE : public QTableWidget
{
    Q_OBJECT
public:
    static constexpr int RowCount = DataTableLayout::SerialRows;

    // Lays the table out once: 540 numbered rows, whole-row selection, read
    // only. Heading, when given, names the scan shown.
    DATA_TABLE(LinkState *Link, QTableWidget *DataTableWidget, QLabel *Heading = nullptr, QWidget *parent = nullptr);

    // Header and heading texts: 0 Chinese, 1 English (the main window's LanguageFlag).
    void retranslate(int languageFlag);

    bool eventFilter(QObject *watched, QEvent *event) override;

public slots:
    // Rewrites the distance and intensity columns from the buffers of the
    // link's connection; a reversed scanner's serial scan is listed from
    // the other end. A table put away is filled when it is shown again.
    void DataTableWidgetDisplay();

private:
    void applyLayout(const DataTableLayout &layout);

    LinkState *Link;
    QTableWidget *Table;
    QLabel *Heading;
    DataTableLayout Shown;
    int Language = 0;
    bool Pending = false; // a scan arrived while the table was put away
};
