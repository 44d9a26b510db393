#include "comparetexts.h"

#include "languagetext.h"

namespace CompareTexts {

using LanguageText::pick;

QString dockTitle(int flag) { return pick(flag, "与设备的差异", "Differences from Scanner"); }
QString parametersGroup(int flag, int count) { return pick(flag, "参数 (%1)", "Parameters (%1)").arg(count); }
QString caseTableGroup(int flag, int count) { return pick(flag, "工况表 (%1)", "Case Table (%1)").arg(count); }
QString areasGroup(int flag, int count) { return pick(flag, "区域 (%1)", "Areas (%1)").arg(count); }
QString areaNode(int flag, int area, int count) { return pick(flag, "区域 %1 (%2)", "Area %1 (%2)").arg(area).arg(count); }

QString notCompared(int flag)
{
    return pick(flag, "尚未比较：按“刷新”读取设备", "Not compared yet: press Refresh to read the scanner");
}
QString reading(int flag) { return pick(flag, "正在读取设备…", "Reading the scanner…"); }
QString readFailed(int flag) { return pick(flag, "未比较：读取未完成", "Not compared: the read did not complete"); }
// The command-line tool's words for the same answers.
QString equal(int flag) { return pick(flag, "相同", "equal"); }
QString differenceCount(int flag, int count) { return pick(flag, "%1 处差异", "%1 difference(s)").arg(count); }
QString verifiedResult(int flag, const QString &result) { return pick(flag, "写入后校验: %1", "verified: %1").arg(result); }
QString writtenNotVerified(int flag)
{
    return pick(flag, "已写入，未校验：按“刷新”重新比较", "Written, not verified: press Refresh to compare again");
}
QString awaitingRestart(int flag) { return pick(flag, "等待设备重启后校验…", "Waiting for the scanner's restart to verify…"); }
QString verifying(int flag) { return pick(flag, "正在读回校验…", "Reading back to verify…"); }

QString refreshButton(int flag) { return pick(flag, "刷新", "Refresh"); }
QString takeButton(int flag) { return pick(flag, "从设备取回", "Take from Scanner"); }
QString writeButton(int flag) { return pick(flag, "写入差异", "Write Differences"); }
QString refreshTip(int flag) { return pick(flag, "重新读取设备并与工程比较", "Reads the scanner again and compares it with the project"); }
QString takeTip(int flag)
{
    return pick(flag, "把所选的区域、工况表或参数从设备取回到工程（可撤销）",
                "Takes the chosen area, the case table or the parameters from the scanner into the project (undoable)");
}
QString writeTip(int flag)
{
    return pick(flag, "只写入与设备不同的区域、工况表和参数", "Writes only the areas, case table and parameters that differ");
}
QString differsTip(int flag) { return pick(flag, "与设备不同", "Differs from the scanner"); }

QString verified(int flag) { return pick(flag, "已校验：设备中的配置与工程一致", "Verified: the scanner holds the project"); }
QString verifyFoundDifferences(int flag, int count)
{
    return pick(flag, "校验发现 %1 处差异", "Verification found %1 difference(s)").arg(count);
}
QString notVerified(int flag) { return pick(flag, "未校验：读回未完成", "Not verified: the read-back did not complete"); }
QString busy(int flag) { return pick(flag, "设备正忙于另一次传输", "The scanner is busy with another transfer"); }
QString nothingToWrite(int flag) { return pick(flag, "无需写入：设备与工程相同", "Nothing to write: the scanner holds the project"); }
QString takenParameters(int flag) { return pick(flag, "已从设备取回参数", "Parameters taken from the scanner"); }
QString takenCaseTable(int flag) { return pick(flag, "已从设备取回工况表", "Case table taken from the scanner"); }
QString takenArea(int flag, int area) { return pick(flag, "已从设备取回区域 %1", "Area %1 taken from the scanner").arg(area); }

QString settingsTitle(int flag) { return pick(flag, "应用设置", "App Settings"); }
QString verifySetting(int flag)
{
    return pick(flag, "写入后读回校验（全部写入和写入差异）", "Verify after writing: read back and compare (Write All and Write Differences)");
}
QString viewportSetting(int flag) { return pick(flag, "编辑视图的绘制：", "Editor view drawn with:"); }
QString viewportChoice(int flag, int choice)
{
    switch (choice) {
    case 1: return QStringLiteral("OpenGL");
    case 2: return pick(flag, "软件绘制（处理器）", "Raster (processor)");
    default: return pick(flag, "自动：仅在有显卡驱动时用 OpenGL", "Automatic: OpenGL only with a graphics driver");
    }
}
QString viewportNote(int flag) { return pick(flag, "下次启动时生效。", "Takes effect at the next start."); }
QString okButton(int flag) { return pick(flag, "确定", "OK"); }
QString cancelButton(int flag) { return pick(flag, "取消", "Cancel"); }

} // namespace CompareTexts
