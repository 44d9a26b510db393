#pragma once

#include "dialogseam.h"

#include <QPointer>

class QProgressDialog;
class QWidget;

// The dialog seam as real widgets: message boxes, file dialogs and the one
// progress dialog, parented to the main window.
class WidgetDialogs : public DialogSeam
{
public:
    explicit WidgetDialogs(QWidget *parent);
    ~WidgetDialogs() override;

    int ask(Icon icon, const QString &title, const QString &text, const QStringList &buttons,
            int defaultButton = 0) override;
    void notify(Icon icon, const QString &title, const QString &text, const QString &button) override;
    QString openFileName(const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter) override;
    void progressShow(const QString &title, int maximum) override;
    void progressSetTitle(const QString &title) override;
    void progressSetValue(int value) override;
    void progressClose() override;

private:
    QProgressDialog *progress();

    QPointer<QWidget> m_parent;
    QProgressDialog *m_progress = nullptr;
};
