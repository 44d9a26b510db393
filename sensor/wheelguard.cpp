#include "wheelguard.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

void WheelGuard::protect(QWidget *field)
{
    // Wheel focus would hand the field the focus on the first wheel turn.
    field->setFocusPolicy(Qt::StrongFocus);
    field->installEventFilter(new WheelGuard(field));
}

bool WheelGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel)
        return false;
    auto *field = static_cast<QWidget *>(watched);
    if (field->hasFocus())
        return false;
    QWidget *up = field->parentWidget();
    while (up && !qobject_cast<QAbstractScrollArea *>(up))
        up = up->parentWidget();
    if (!up) {
        // Nothing to scroll: let the parents have it, not the field.
        event->ignore();
        return true;
    }
    QCoreApplication::sendEvent(static_cast<QAbstractScrollArea *>(up)->viewport(), event);
    event->accept();
    return true;
}
