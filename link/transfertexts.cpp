#include "transfertexts.h"

namespace {
struct Entry
{
    const char *zhTitle;
    const char *zhText;
    const char *enTitle;
    const char *enText;
};

// Indexed by TransferMessage. Titles of the progress dialog have no text.
const Entry kEntries[] = {
    {"上传数据", "", "Upload Data", ""},
    {"下载数据", "", "Download Data", ""},
    {"参数", "参数读取完成！", "Parameters", "Parameters Read OK!"},
    {"提示", "参数写入完成，请重启生效！", "Message", "Parameters Write Complete"},
    {"提示", "是否重启传感器?", "Message", "Do you restart?"},
    {"错误", "参数设置异常，请重启初始参数", "Message", "Parameters Setting Error"},
    {"错误", "参数设置异常", "Message", "Parameters Setting Error"},
    {"错误", "内存写入错误", "Message", "FLASH Write Error"},
    {"提示", "传感器重新启动完成", "Message", "Sensor Reboot Complete"},
    {"产品信息", "", "Product Message", ""},
    {"错误", "未知的写入状态 %1", "Message", "Unknown Write Status %1"},
};
} // namespace

TransferText transferText(TransferMessage message, int language)
{
    const Entry &e = kEntries[int(message)];
    TransferText t;
    if (language == 1) {
        t.title = QString::fromUtf8(e.zhTitle);
        t.text = QString::fromUtf8(e.zhText);
        t.buttons = message == TransferMessage::RestartQuestion ? QStringList{QStringLiteral("确定"), QStringLiteral("取消")}
                                                                 : QStringList{QStringLiteral("OK")};
    } else if (language == 0) {
        t.title = QString::fromLatin1(e.enTitle);
        t.text = QString::fromLatin1(e.enText);
        t.buttons = message == TransferMessage::RestartQuestion ? QStringList{QStringLiteral("Yes"), QStringLiteral("No")}
                                                                 : QStringList{QStringLiteral("OK")};
    }
    return t;
}
