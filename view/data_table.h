#pragma once

#include <QTableWidget>

struct LinkState;

// Lists the serial scan sample by sample (step, distance, intensity) on the
// data table dock's table. Never shown itself: all its work is done on the
// table it is given. Keeps no copy of the samples.
class DATA_TABLE : public QTableWidget
{
    Q_OBJECT
public:
    static constexpr int RowCount = 540;

    // Lays the table out once: 540 numbered rows, whole-row selection, read only.
    DATA_TABLE(LinkState *Link, QTableWidget *DataTableWidget, QWidget *parent = nullptr);

    // Header texts: 0 Chinese, 1 English (the main window's LanguageFlag).
    void retranslate(int languageFlag);

public slots:
    // Rewrites the distance and intensity columns from the serial buffers;
    // a reversed scanner is listed from the other end.
    void DataTableWidgetDisplay();

private:
    LinkState *Link;
    QTableWidget *Table;
};
