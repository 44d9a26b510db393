#include "widgetdialogs.h"

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QProgressDialog>

namespace {
QMessageBox::Icon toBoxIcon(DialogSeam::Icon icon)
{
    switch (icon) {
    case DialogSeam::Icon::Information: return QMessageBox::Information;
    case DialogSeam::Icon::Warning: return QMessageBox::Warning;
    case DialogSeam::Icon::Critical: return QMessageBox::Critical;
    case DialogSeam::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}
} // namespace

WidgetDialogs::WidgetDialogs(QWidget *parent) : m_parent(parent) {}

WidgetDialogs::~WidgetDialogs() { delete m_progress; }

int WidgetDialogs::ask(Icon icon, const QString &title, const QString &text, const QStringList &buttons,
                       int defaultButton)
{
    QMessageBox box(toBoxIcon(icon), title, text, QMessageBox::NoButton, m_parent);
    QList<QAbstractButton *> added;
    for (int i = 0; i < buttons.size() && i < 3; ++i) {
        if (buttons[i].isEmpty()) {
            added.append(nullptr);
            continue;
        }
        // AcceptRole keeps the buttons in the given order on every platform style.
        QPushButton *b = box.addButton(buttons[i], QMessageBox::AcceptRole);
        added.append(b);
        if (i == defaultButton)
            box.setDefaultButton(b);
    }
    box.setEscapeButton(static_cast<QAbstractButton *>(nullptr));
    box.exec();
    return added.indexOf(box.clickedButton());
}

void WidgetDialogs::notify(Icon icon, const QString &title, const QString &text, const QString &button)
{
    auto *box = new QMessageBox(toBoxIcon(icon), title, text, QMessageBox::NoButton, m_parent);
    box->addButton(button, QMessageBox::AcceptRole);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

QString WidgetDialogs::openFileName(const QString &caption, const QString &dir, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, caption, dir, filter);
}

QString WidgetDialogs::saveFileName(const QString &caption, const QString &dir, const QString &filter)
{
    return QFileDialog::getSaveFileName(m_parent, caption, dir, filter);
}

QProgressDialog *WidgetDialogs::progress()
{
    if (!m_progress) {
        m_progress = new QProgressDialog(m_parent);
        // No cancel button, and none that a language change would bring back
        // (a dialog with the default button text builds it anew then).
        m_progress->setCancelButtonText(QString());
        m_progress->setWindowModality(Qt::ApplicationModal);
        m_progress->setAutoReset(false);
        m_progress->setAutoClose(false);
        m_progress->setMinimumDuration(0);
        auto *label = new QLabel;
        label->setPixmap(QPixmap(QStringLiteral(":/images/ConnectSensor.png")));
        label->setAlignment(Qt::AlignCenter);
        m_progress->setLabel(label);
        m_progress->reset();
        m_progress->hide();
    }
    return m_progress;
}

void WidgetDialogs::progressShow(const QString &title, int maximum)
{
    QProgressDialog *p = progress();
    p->setRange(0, maximum);
    p->setWindowTitle(title);
    p->show();
}

void WidgetDialogs::progressSetTitle(const QString &title) { progress()->setWindowTitle(title); }

void WidgetDialogs::progressSetValue(int value)
{
    QProgressDialog *p = progress();
    p->setValue(value);
    if (value >= p->maximum())
        p->hide();
}

void WidgetDialogs::progressClose() { progress()->hide(); }
