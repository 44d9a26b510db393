#pragma once

#include <QObject>

class QWidget;

// Keeps the mouse wheel from changing a field the user only scrolls past: the
// field takes the wheel only while it has focus (clicked or tabbed into);
// otherwise the wheel goes to the scroll area around it.
class WheelGuard : public QObject
{
    Q_OBJECT
public:
    // Makes field take focus only by click or tab, and guards its wheel. The
    // guard lives as long as the field.
    static void protect(QWidget *field);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit WheelGuard(QObject *parent) : QObject(parent) {}
};
