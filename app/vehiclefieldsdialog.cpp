#include "vehiclefieldsdialog.h"

#include "languagetext.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
using LanguageText::pick;

QDoubleSpinBox *number(double min, double max, int decimals, double value, const QString &name)
{
    auto *box = new QDoubleSpinBox;
    box->setObjectName(name);
    box->setRange(min, max);
    box->setDecimals(decimals);
    box->setValue(value);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QSpinBox *whole(int min, int max, int value)
{
    auto *box = new QSpinBox;
    box->setRange(min, max);
    box->setValue(value);
    box->setFrame(false);
    return box;
}

enum Label {
    Width, Front, Centre, Direction, MarginLeft, MarginRight, Response, Deceleration, Supplement, Warning, Third,
    Bands, LabelCount
};
} // namespace

VehicleFieldsDialog::VehicleFieldsDialog(QWidget *parent)
    : QDialog(parent), m_notice(new QLabel), m_vehicleGroup(new QGroupBox), m_stopGroup(new QGroupBox),
      m_bandGroup(new QGroupBox), m_width(number(1, 20000, 0, 1200, QStringLiteral("VehicleWidth"))),
      m_front(number(0, 20000, 0, 0, QStringLiteral("ScannerFrontOffset"))),
      m_centre(number(-10000, 10000, 0, 0, QStringLiteral("ScannerCentreOffset"))), m_direction(new QComboBox),
      m_marginLeft(number(0, 5000, 0, 100, QStringLiteral("MarginLeft"))),
      m_marginRight(number(0, 5000, 0, 100, QStringLiteral("MarginRight"))),
      m_response(number(0, 10, 3, 0.5, QStringLiteral("ResponseTime"))),
      m_deceleration(number(0, 20, 2, 1.0, QStringLiteral("Deceleration"))),
      m_supplement(number(0, 5000, 0, 200, QStringLiteral("Supplement"))),
      m_warning(number(1, 10, 2, 1.5, QStringLiteral("WarningFactor"))), m_thirdOn(new QCheckBox),
      m_third(number(1, 10, 2, 2.0, QStringLiteral("ThirdFactor"))), m_bandCount(whole(1, VehicleFields::MaxBands, 1)),
      m_bands(new QTableWidget(VehicleFields::MaxBands, ColumnCount)), m_formula(new QLabel),
      m_summary(new QPlainTextEdit), m_copy(new QPushButton), m_apply(new QPushButton), m_close(new QPushButton)
{
    setObjectName(QStringLiteral("VehicleFieldsDialog"));
    m_bandCount->setObjectName(QStringLiteral("BandCount"));
    m_bandCount->setFrame(true);
    m_bands->setObjectName(QStringLiteral("VehicleBands"));
    m_summary->setObjectName(QStringLiteral("VehicleFieldsSummary"));
    m_apply->setObjectName(QStringLiteral("VehicleFieldsApply"));
    m_thirdOn->setObjectName(QStringLiteral("ThirdOn"));
    m_direction->addItems({QString(), QString()});
    m_notice->setWordWrap(true);
    m_notice->setStyleSheet(QStringLiteral("QLabel { background: #fff4c2; border: 1px solid #d8b000; padding: 6px; }"));
    m_formula->setWordWrap(true);
    m_summary->setReadOnly(true);
    m_summary->setMinimumHeight(150);
    m_third->setEnabled(false);
    for (QLabel *&label : m_labels)
        label = new QLabel;

    auto *vehicleForm = new QFormLayout(m_vehicleGroup);
    vehicleForm->addRow(m_labels[Width], m_width);
    vehicleForm->addRow(m_labels[Front], m_front);
    vehicleForm->addRow(m_labels[Centre], m_centre);
    vehicleForm->addRow(m_labels[Direction], m_direction);
    vehicleForm->addRow(m_labels[MarginLeft], m_marginLeft);
    vehicleForm->addRow(m_labels[MarginRight], m_marginRight);
    auto *stopForm = new QFormLayout(m_stopGroup);
    stopForm->addRow(m_labels[Response], m_response);
    stopForm->addRow(m_labels[Deceleration], m_deceleration);
    stopForm->addRow(m_labels[Supplement], m_supplement);
    stopForm->addRow(m_labels[Warning], m_warning);
    auto *thirdRow = new QHBoxLayout;
    thirdRow->addWidget(m_thirdOn);
    thirdRow->addWidget(m_third, 1);
    stopForm->addRow(m_labels[Third], thirdRow);
    auto *groups = new QHBoxLayout;
    groups->addWidget(m_vehicleGroup);
    groups->addWidget(m_stopGroup);

    for (int row = 0; row < VehicleFields::MaxBands; ++row) {
        auto *speed = number(0, 20, 2, 0.3 * (row + 1), QStringLiteral("BandSpeed%1").arg(row));
        speed->setFrame(false);
        auto *stop = number(0, 100000, 0, 0, QStringLiteral("BandStop%1").arg(row));
        stop->setFrame(false);
        m_bands->setCellWidget(row, Speed, speed);
        m_bands->setCellWidget(row, Stop, stop);
        m_bands->setCellWidget(row, MinSpeed, whole(-300, 300, row * 30));
        m_bands->setCellWidget(row, MaxSpeed, whole(-300, 300, row * 30 + 29));
        m_bands->setCellWidget(row, SteerMin, whole(-180, 180, -180));
        m_bands->setCellWidget(row, SteerMax, whole(-180, 180, 180));
        auto *mode = new QComboBox;
        for (int i = 0; i < 5; ++i)
            mode->addItem(QString());
        mode->setFrame(false);
        m_bands->setCellWidget(row, Mode, mode);
        m_bands->setCellWidget(row, Area, whole(0, 63, row));
    }
    m_bands->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_bands->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    auto *bandCountRow = new QHBoxLayout;
    bandCountRow->addWidget(m_labels[Bands]);
    bandCountRow->addWidget(m_bandCount);
    bandCountRow->addStretch(1);
    auto *bandLayout = new QVBoxLayout(m_bandGroup);
    bandLayout->addLayout(bandCountRow);
    bandLayout->addWidget(m_bands);

    auto *buttons = new QDialogButtonBox;
    buttons->addButton(m_copy, QDialogButtonBox::ActionRole);
    buttons->addButton(m_apply, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_close, QDialogButtonBox::RejectRole);
    // Applying is the window's to decide: a refused sizing keeps the dialog open.
    connect(m_apply, &QPushButton::clicked, this, &VehicleFieldsDialog::applyRequested);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_copy, &QPushButton::clicked, this, &VehicleFieldsDialog::copySummary);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_notice);
    layout->addLayout(groups);
    layout->addWidget(m_bandGroup);
    layout->addWidget(m_formula);
    layout->addWidget(m_summary, 1);
    layout->addWidget(buttons);

    // Every change shows the sizing anew.
    for (QDoubleSpinBox *box : findChildren<QDoubleSpinBox *>())
        connect(box, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &VehicleFieldsDialog::showSummary);
    for (QSpinBox *box : findChildren<QSpinBox *>())
        connect(box, QOverload<int>::of(&QSpinBox::valueChanged), this, &VehicleFieldsDialog::showSummary);
    for (QComboBox *box : findChildren<QComboBox *>())
        connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &VehicleFieldsDialog::showSummary);
    connect(m_thirdOn, &QCheckBox::toggled, m_third, &QWidget::setEnabled);
    connect(m_thirdOn, &QCheckBox::toggled, this, &VehicleFieldsDialog::showSummary);
    connect(m_bandCount, QOverload<int>::of(&QSpinBox::valueChanged), this, &VehicleFieldsDialog::showBandCount);
    showBandCount();
    retranslate(0);
    resize(980, 760);
}

QWidget *VehicleFieldsDialog::cell(int row, int column) const { return m_bands->cellWidget(row, column); }

VehicleFields::Vehicle VehicleFieldsDialog::vehicle() const
{
    VehicleFields::Vehicle v;
    v.width = m_width->value();
    v.frontOffset = m_front->value();
    v.centreOffset = m_centre->value();
    v.reversed = m_direction->currentIndex() == 1;
    v.marginLeft = m_marginLeft->value();
    v.marginRight = m_marginRight->value();
    v.responseTime = m_response->value();
    v.deceleration = m_deceleration->value();
    v.supplement = m_supplement->value();
    v.warningFactor = m_warning->value();
    v.thirdFactor = m_thirdOn->isChecked() ? m_third->value() : 0.0;
    v.deviceClass = m_deviceClass;
    for (int row = 0; row < m_bandCount->value(); ++row) {
        VehicleFields::Band b;
        b.speed = static_cast<QDoubleSpinBox *>(cell(row, Speed))->value();
        b.stoppingDistance = static_cast<QDoubleSpinBox *>(cell(row, Stop))->value();
        b.minSpeed = static_cast<QSpinBox *>(cell(row, MinSpeed))->value();
        b.maxSpeed = static_cast<QSpinBox *>(cell(row, MaxSpeed))->value();
        b.steerMin = static_cast<QSpinBox *>(cell(row, SteerMin))->value();
        b.steerMax = static_cast<QSpinBox *>(cell(row, SteerMax))->value();
        b.mode = static_cast<QComboBox *>(cell(row, Mode))->currentIndex();
        b.area = static_cast<QSpinBox *>(cell(row, Area))->value();
        v.bands << b;
    }
    return v;
}

void VehicleFieldsDialog::setVehicle(const VehicleFields::Vehicle &v)
{
    m_width->setValue(v.width);
    m_front->setValue(v.frontOffset);
    m_centre->setValue(v.centreOffset);
    m_direction->setCurrentIndex(v.reversed ? 1 : 0);
    m_marginLeft->setValue(v.marginLeft);
    m_marginRight->setValue(v.marginRight);
    m_response->setValue(v.responseTime);
    m_deceleration->setValue(v.deceleration);
    m_supplement->setValue(v.supplement);
    m_warning->setValue(v.warningFactor);
    m_thirdOn->setChecked(v.thirdFactor > 0);
    if (v.thirdFactor > 0)
        m_third->setValue(v.thirdFactor);
    m_deviceClass = v.deviceClass;
    m_bandCount->setValue(qBound(1, int(v.bands.size()), int(VehicleFields::MaxBands)));
    for (int row = 0; row < v.bands.size() && row < VehicleFields::MaxBands; ++row) {
        const VehicleFields::Band &b = v.bands.at(row);
        static_cast<QDoubleSpinBox *>(cell(row, Speed))->setValue(b.speed);
        static_cast<QDoubleSpinBox *>(cell(row, Stop))->setValue(b.stoppingDistance);
        static_cast<QSpinBox *>(cell(row, MinSpeed))->setValue(b.minSpeed);
        static_cast<QSpinBox *>(cell(row, MaxSpeed))->setValue(b.maxSpeed);
        static_cast<QSpinBox *>(cell(row, SteerMin))->setValue(b.steerMin);
        static_cast<QSpinBox *>(cell(row, SteerMax))->setValue(b.steerMax);
        static_cast<QComboBox *>(cell(row, Mode))->setCurrentIndex(b.mode);
        static_cast<QSpinBox *>(cell(row, Area))->setValue(b.area);
    }
    showSummary();
}

void VehicleFieldsDialog::setDeviceClass(int deviceClass)
{
    m_deviceClass = deviceClass;
    showSummary();
}

void VehicleFieldsDialog::showBandCount()
{
    for (int row = 0; row < VehicleFields::MaxBands; ++row)
        m_bands->setRowHidden(row, row >= m_bandCount->value());
    // As tall as its bands: no scrolling through a handful of rows.
    m_bands->setFixedHeight(m_bands->horizontalHeader()->sizeHint().height()
                            + m_bandCount->value() * m_bands->verticalHeader()->defaultSectionSize()
                            + 2 * m_bands->frameWidth());
    showSummary();
}

void VehicleFieldsDialog::showSummary()
{
    const VehicleFields::Vehicle v = vehicle();
    m_summary->setPlainText(VehicleFields::summary(v, VehicleFields::size(v), m_flag));
}

QString VehicleFieldsDialog::summaryText() const { return m_summary->toPlainText(); }

void VehicleFieldsDialog::copySummary() { QApplication::clipboard()->setText(summaryText()); }

void VehicleFieldsDialog::retranslate(int flag)
{
    m_flag = flag;
    setWindowTitle(pick(flag, "按车辆生成区域", "Fields from vehicle"));
    m_notice->setText(pick(flag,
                           "这是尺寸估算辅助工具：区域仅由此处给出的数值算出。使用前必须按适用于该车辆的标准核对所有数值。",
                           "This is a sizing aid: the fields follow only from the numbers given here. Check every "
                           "value against the standard that applies to the vehicle before use."));
    m_vehicleGroup->setTitle(pick(flag, "车辆与扫描仪", "Vehicle and scanner"));
    m_stopGroup->setTitle(pick(flag, "停车", "Stopping"));
    m_bandGroup->setTitle(pick(flag, "速度段", "Speed bands"));
    const char *const zh[LabelCount] = {"车宽 (mm)", "扫描仪在前沿之后 (mm)", "扫描仪在中心线右侧 (mm)", "安装方向",
                                        "左侧余量 (mm)", "右侧余量 (mm)", "整个停车链响应时间 T (s)",
                                        "制动减速度 a (m/s²)", "长度附加量 Z (mm)", "警告区系数", "Out3 系数",
                                        "速度段数量"};
    const char *const en[LabelCount] = {"Vehicle width (mm)", "Scanner behind the front edge (mm)",
                                        "Scanner right of the centre line (mm)", "Install direction",
                                        "Margin left (mm)", "Margin right (mm)",
                                        "Response time of the stopping chain T (s)", "Braking deceleration a (m/s²)",
                                        "Length supplement Z (mm)", "Warning field factor", "Out3 factor",
                                        "Number of bands"};
    for (int i = 0; i < LabelCount; ++i)
        m_labels[i]->setText(pick(flag, zh[i], en[i]));
    m_direction->setItemText(0, pick(flag, "正装", "Normal"));
    m_direction->setItemText(1, pick(flag, "反装", "Reversed"));
    m_thirdOn->setText(pick(flag, "写入", "Write"));
    m_bands->setHorizontalHeaderLabels(
        flag == 1 ? QStringList{QStringLiteral("v (m/s)"), QStringLiteral("s (mm)"), QStringLiteral("Speed Min"),
                                QStringLiteral("Speed Max"), QStringLiteral("Steer Min[°]"), QStringLiteral("Steer Max[°]"),
                                QStringLiteral("Mode"), QStringLiteral("Area")}
                  : QStringList{QStringLiteral("v (m/s)"), QStringLiteral("s (mm)"), QStringLiteral("车速下限"),
                                QStringLiteral("车速上限"), QStringLiteral("转向角下限[°]"),
                                QStringLiteral("转向角上限[°]"), QStringLiteral("操作模式"), QStringLiteral("区域")});
    for (int row = 0; row < VehicleFields::MaxBands; ++row) {
        auto *stop = static_cast<QDoubleSpinBox *>(cell(row, Stop));
        stop->setSpecialValueText(pick(flag, "由 a 计算", "from a"));
        auto *mode = static_cast<QComboBox *>(cell(row, Mode));
        for (int i = 0; i < 5; ++i)
            mode->setItemText(i, flag == 1 ? QStringLiteral("Type %1").arg(i) : QStringLiteral("操作模式%1").arg(i));
    }
    m_formula->setText(pick(flag,
                            "保护区长度 L = v·T + v²/(2a) + Z；给出停车距离 s 时 L = s + v·T + Z。警告区 = 系数 × L。"
                            "Out1 为保护区矩形，Out2 为警告区矩形，覆盖车宽加两侧余量，从扫描仪所在线延伸到车辆前沿之前。",
                            "Protective field length L = v·T + v²/(2a) + Z; with a stopping distance s, L = s + v·T + Z. "
                            "Warning field = factor × L. Out1 is the protective rectangle, Out2 the warning rectangle, "
                            "covering the vehicle's width and both margins, from the scanner's line to beyond the "
                            "front edge."));
    m_copy->setText(pick(flag, "复制摘要", "Copy summary"));
    m_apply->setText(pick(flag, "写入区域", "Write to areas"));
    m_close->setText(pick(flag, "关闭", "Close"));
    showSummary();
}
