#include "forminformation.h"
#include "ui_forminformation.h"

FormInformation::FormInformation(QWidget *parent) : QWidget(parent), m_ui(new Ui::FormInformation)
{
    m_ui->setupUi(this);
    // A log left open must not keep the program running once the main
    // window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
}

FormInformation::~FormInformation() { delete m_ui; }

void FormInformation::InformationAppend(QString text) { m_ui->textEdit->append(text); }

void FormInformation::on_pushButton_clicked() { m_ui->textEdit->clear(); }
