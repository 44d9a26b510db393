#pragma once

#include <QMetaObject>
#include <QTableWidget>
#include <array>

class QTextStream;
struct EditData;

// Shows and edits the current area's points in six tables: per output one
// cartesian and one polar table. Edits go straight into the model under the
// arc and rectangle rules; polygons grow through an entry row and shrink with
// the Delete key. Never shown itself.
class COORD_TABLE : public QTableWidget
{
    Q_OBJECT
public:
    COORD_TABLE(EditData *Data, QTableWidget *CoordTableWidgetOut1, QTableWidget *CoordTableWidgetOut2,
                QTableWidget *CoordTableWidgetOut3, QTableWidget *PolarTableWidgeOut1,
                QTableWidget *PolarTableWidgeOut2, QTableWidget *PolarTableWidgeOut3, QWidget *parent = nullptr);

    // Header texts: 0 Chinese, 1 English (the main window's LanguageFlag).
    void SetHeaderLanguage(int LanguageFlag);

    // The project file's coordinate section, on the main window's stream.
    void WriteCoordSection(QTextStream &out) const;
    void ReadCoordSection(QTextStream &in);

    // A cell text as a number; text that is not a finite number counts as 0.
    static float cellNumber(const QString &text);
    // Cartesian rounding: halves and above round up, and every negative
    // fraction is truncated (2.5 -> 3, -2.7 -> -2). Saturates at the int range.
    static int roundCartesian(float value);

signals:
    void CoordTableEditSignal();

public slots:
    void CoordTableWidgeUpdate();
    void CoordTable1EditSlots(QTableWidgetItem *Item);
    void CoordTable2EditSlots(QTableWidgetItem *Item);
    void CoordTable3EditSlots(QTableWidgetItem *Item);
    void PolarTable1EditSlots(QTableWidgetItem *Item);
    void PolarTable2EditSlots(QTableWidgetItem *Item);
    void PolarTable3EditSlots(QTableWidgetItem *Item);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTableWidget *table(int output, bool polar) const { return polar ? m_polar[output] : m_cartesian[output]; }
    void connectTable(int output, bool polar);
    void refill(int output, bool polar);
    void refillOutput(int output);
    void cartesianEdit(int output, QTableWidgetItem *item);
    void polarEdit(int output, QTableWidgetItem *item);
    // Shape rules and dependent-point rule after a point row was edited.
    void afterPointEdit(int output, int row);
    void deleteKey(int output, bool polar);

    EditData *m_data;
    std::array<QTableWidget *, 3> m_cartesian;
    std::array<QTableWidget *, 3> m_polar;
    std::array<QMetaObject::Connection, 6> m_connections;
};
