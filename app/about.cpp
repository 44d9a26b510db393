#include "about.h"

#include "ui_about.h"

namespace {
struct Release
{
    const char *version;
    const char *date;
    QVector<QPair<const char *, const char *>> items; // English, Chinese
};

const QVector<Release> &releases()
{
    static const QVector<Release> list{
        {"1.5.0",
         "20240419",
         {{"1)Product Release.", "1)产品发布"},
          {"2)Modify the IP discovery strategy, automatically bind all network designs, and repair the bug that "
           "cannot find the sensor.",
           "2)修改IP发现策略，自动绑定所有网络设计，修复找不到传感器的Bug"},
          {"3)New crosstalk filtering function configuration options, optimized point cloud display, sensor version "
           "v1.3 or above.",
           "3)新增串扰过滤功能配置选项，优化点云显示，传感器V1.3版本以上"},
          {"4)New support for FPGA and HDDM versions, multiple echoes and measurement frequency adjustment.",
           "4)新增对FPGA以及HDDM版本的支持，多次回波以及测量频率调整"},
          {"5)Added some sensors to support trailing filtering function configuration.",
           "5)新增部分传感器支持拖尾过滤功能配置"},
          {"6)New multi echo function and mirror dirt filtering settings added.", "6)新增多回波功能以及镜面脏污过滤设置"}}},
        {"1.5.1",
         "20240802",
         {{"1)Improve Interface.", "1)界面优化"},
          {"2)Add Restart Messagebox.", "2)增加下载生效是否重启提示框"},
          {"3)Add Direction Setting.", "3)增加传感器正装、倒转,设置与显示"},
          {"4)Add Status Display.", "4)增加传感器状态反馈显示"},
          {"5)Add Config Information.", "5)增加配置文件信息，配置软件的版本和保存日期"},
          {"6)Search IP Address.", "6)优化搜索传感器IP地址方式"},
          {"7)Reset IP Address.", "7)修复TCP断连重连问题"},
          {"8)IP Address Range.", "8)优化IP地址范围扩展"}}},
        {"1.5.2", "20240821", {{"1)English translation.", "1)中英翻译优化"}, {"2)Improve UDP Connect.", "2)优化UDP连接"}}},
    };
    return list;
}
} // namespace

About::About(QWidget *parent) : QDialog(parent), ui(new Ui::About)
{
    ui->setupUi(this);
    setWindowModality(Qt::ApplicationModal);
    ui->NoteMessage->setEnabled(true);
    connect(ui->Button_Close, &QPushButton::clicked, this, &QWidget::close);
    showTexts(0);
}

About::~About() { delete ui; }

QStringList About::releaseNotes(int languageFlag)
{
    if (languageFlag != 0 && languageFlag != 1)
        return {};
    const bool english = languageFlag == 1;
    QStringList lines;
    for (const Release &r : releases()) {
        lines << (english ? QStringLiteral("Version Information: ") : QStringLiteral("版本信息: "))
                     + QLatin1String(r.version);
        lines << (english ? QStringLiteral("Update Date: ") : QStringLiteral("更新日期: ")) + QLatin1String(r.date);
        lines << (english ? QStringLiteral("Update Content: ") : QStringLiteral("更新内容: "));
        for (const auto &item : r.items)
            lines << QString::fromUtf8(english ? item.first : item.second);
    }
    return lines;
}

void About::LanguageDisplayChinese() { showTexts(0); }

void About::LanguageDisplayEnglish() { showTexts(1); }

void About::LanguageDisplayJapanese() {}

void About::showTexts(int languageFlag)
{
    const bool english = languageFlag == 1;
    setWindowTitle(english ? QStringLiteral("About") : QStringLiteral("关于"));
    ui->label_Morvik->setText(english ? QStringLiteral("Radar") : QStringLiteral("激光雷达编辑器"));
    ui->label_Ver->setText(english ? QStringLiteral("Version: 1.5.2") : QStringLiteral("软件版本: 1.5.2"));
    ui->label_Data->setText(english ? QStringLiteral("Data: 2024-08-21") : QStringLiteral("开发日期: 2024-08-21"));
    ui->ReleaseNotes->setTitle(english ? QStringLiteral("Release Notes") : QStringLiteral("版本信息"));
    ui->NoteMessage->clear();
    for (const QString &line : releaseNotes(languageFlag))
        ui->NoteMessage->append(line);
}
