#include "reporttexts.h"

namespace {
struct Entry
{
    const char *english;
    const char *chinese;
};

// Indexed by ReportText. Area fields are named as the edit dock names them.
const Entry kTexts[] = {
    {"Commissioning Report", "调试报告"},
    {"Report date", "报告日期"},
    {"Project file", "工程文件"},
    {"(not saved to a file)", "(未保存为文件)"},
    {"Product", "产品型号"},
    {"Firmware", "固件版本"},
    {"Serial number", "串行编号"},
    {"Production date", "生产日期"},
    {"not read from a scanner", "未从扫描仪读取"},
    {"Range class", "量程等级"},
    {"not known (read from a scanner)", "未知 (读自扫描仪)"},
    {"Install direction", "安装方向"},
    {"Fingerprint", "配置指纹"},
    {"SHA-256", "SHA-256"},
    {"Areas in use", "使用中的区域"},
    {"Configured by", "配置人"},
    {"Checked by", "检查人"},
    {"Name", "姓名"},
    {"Date", "日期"},
    {"Signature", "签名"},
    {"Parameters", "参数"},
    {"Parameter", "参数"},
    {"Value", "数值"},
    {"Case table", "工况表"},
    {"Area", "区域"},
    {"Steer Min[°]", "转向角下限[°]"},
    {"Steer Max[°]", "转向角上限[°]"},
    {"Speed Min", "车速下限"},
    {"Speed Max", "车速上限"},
    {"Operation Mode", "操作模式"},
    {"Type %1", "操作模式%1"},
    {"No area holds a zone.", "没有区域含有检测区。"},
    {"Areas in use", "使用中的区域一览"},
    {"Area %1", "区域 %1"},
    {"Area %1 (continued)", "区域 %1 (续)"},
    {"Open Delay", "开启延时"},
    {"Close Delay", "关闭延时"},
    {"Hysteresis", "关闭迟滞"},
    {"Close", "关闭"},
    {"Detection Size", "检测物体大小"},
    {"Case conditions", "工况条件"},
    {"Dimensions", "尺寸"},
    {"reach %1 mm", "最远 %1 mm"},
    {"x %1 … %2 mm", "x %1 … %2 mm"},
    {"y %1 … %2 mm", "y %1 … %2 mm"},
    {"Scale 1:%1, grid %2 mm", "比例 1:%1, 网格 %2 mm"},
    {"blind sector", "盲区"},
    {"forward", "前方"},
    {"Points (mm)", "坐标点 (mm)"},
    {"no points", "无坐标点"},
    {"stored as %1° … %2°, radius %3 mm", "保存为 %1° … %2°, 半径 %3 mm"},
    {"distance %1 mm", "距离 %1 mm"},
    {"%1 points", "%1 个点"},
    {"Page %1 / %2", "第 %1 / %2 页"},
};
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == int(ReportText::Page) + 1, "one entry per text");

const Entry kKinds[] = {{"Polygon", "多边形"}, {"Arc", "圆弧"},  {"Rectangle", "矩形"},
                        {"Straight", "直线"},  {"Fan", "扇形"}, {"Ratio", "比例"}};
} // namespace

QString reportText(ReportText text, int language)
{
    const Entry &e = kTexts[int(text)];
    return QString::fromUtf8(language == 1 ? e.chinese : e.english);
}

QString reportKindName(int kind, int language)
{
    if (kind < 0 || kind > 5)
        return QString::number(kind);
    return QString::fromUtf8(language == 1 ? kKinds[kind].chinese : kKinds[kind].english);
}
