#pragma once

#include <QWidget>

namespace Ui {
class FormInformation;
}

// The communication log: lines about network activity in arrival order,
// kept until the button clears them. Never saved.
class FormInformation : public QWidget
{
    Q_OBJECT
public:
    explicit FormInformation(QWidget *parent = nullptr);
    ~FormInformation() override;

public slots:
    void InformationAppend(QString text);

private slots:
    // Bound to pushButton by name when the form is set up.
    void on_pushButton_clicked();

private:
    Ui::FormInformation *m_ui;
};
