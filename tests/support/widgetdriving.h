#pragma once

// Drives item views and combo boxes the way a user does, for tests that go
// through real widgets on the offscreen platform.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>
#include <qtestspontaneevent.h>

namespace WidgetDriving {

// The label's picture as an image; QLabel hands it out differently on Qt 5 and 6.
inline QImage labelImage(const QLabel *label)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return label->pixmap().toImage();
#else
    return label->pixmap(Qt::ReturnByValue).toImage();
#endif
}

// Types text into a cell the way a user does: double-click, type, Return.
inline bool editCell(QTableWidget *table, int row, int column, const QString &text)
{
    QTableWidgetItem *item = table->item(row, column);
    if (!item)
        return false;
    table->scrollToItem(item);
    const QPoint at = table->visualItemRect(item).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    if (!editor || editor->parentWidget() != table->viewport())
        return false;
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits on a queued call
    return true;
}

inline void clickRow(QTableWidget *table, int row)
{
    table->scrollToItem(table->item(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(row, 0)).center());
}

// Chooses an item in a combo box's popup with the mouse (emits activated
// even when the item was already current).
inline void choose(QComboBox *combo, int index)
{
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    const QModelIndex item = view->model()->index(index, 0);
    view->scrollTo(item);
    QTest::qWait(1);
    const QPoint at = view->visualRect(item).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
}

// Turns the mouse wheel over the middle of widget by notches (negative: down,
// towards the user), delivered as the window system does: to the child under
// the cursor, from where it travels up to the first widget that takes it,
// giving wheel focus on the way.
inline void turnWheel(QWidget *widget, int notches)
{
    QWidget *under = widget->childAt(widget->rect().center());
    if (!under)
        under = widget;
    const QPointF at = QRectF(under->rect()).center();
    QWheelEvent wheel(at, QPointF(under->mapToGlobal(at.toPoint())), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    // sendEvent() would mark it synthetic, and Qt hands a synthetic wheel
    // event to its receiver alone.
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(under, &wheel);
}

} // namespace WidgetDriving
