#include "clitexts.h"

namespace {
struct Entry
{
    const char *english;
    const char *chinese;
};

// Indexed by CliText.
const Entry kTexts[] = {
    {"Usage: quillmark-cli [--lang en|zh] COMMAND [ARGUMENTS]",
     "用法: quillmark-cli [--lang en|zh] 命令 [参数]"},
    {"Checks, compares, reads and writes the configuration of area scanners without the window.\n"
     "\n"
     "Commands:\n"
     "  check FILE [--json]                      check that every area of a project file can be sent\n"
     "  diff A B [--json]                        differences between two project files or scanners\n"
     "  download SCANNER FILE                    read the whole configuration into a project file\n"
     "  upload FILE SCANNER [--verify] [--reboot] [--json]\n"
     "                                           check, then write the whole configuration\n"
     "  info SCANNER [--json]                    the scanner's product information and fingerprint\n"
     "  discover [--seconds N]                   search the local networks for scanners\n"
     "  watch SCANNER [--seconds N] [--json]     inputs, outputs, status and self-check values\n"
     "  record SCANNER FILE [--seconds N]        record the scan stream and the IO status into a file\n"
     "  whatif RECORDING FILE [--json]           the outputs a project's zones give over a recording\n"
     "  report SOURCE OUT.pdf                    a commissioning report of a project file or scanner\n"
     "\n"
     "A scanner is written tcp:HOST[:PORT], udp:HOST[:PORT] or serial:DEVICE[@BAUD]\n"
     "(port 8080 and 576000 baud when left out). \"quillmark-cli COMMAND --help\" describes one command.\n"
     "A command that talks to a scanner gives up after --deadline N seconds (default 120; watch and record\n"
     "add their --seconds) with status 3.",
     "不经窗口检查、比较、读取和写入区域扫描仪的配置。\n"
     "\n"
     "命令:\n"
     "  check 文件 [--json]                       检查工程文件的每个区域能否下载\n"
     "  diff A B [--json]                         两个工程文件或扫描仪之间的差异\n"
     "  download 扫描仪 文件                       读取全部配置并存为工程文件\n"
     "  upload 文件 扫描仪 [--verify] [--reboot] [--json]\n"
     "                                            先检查, 再写入全部配置\n"
     "  info 扫描仪 [--json]                       扫描仪的产品信息和配置指纹\n"
     "  discover [--seconds N]                    在本地网络中搜索扫描仪\n"
     "  watch 扫描仪 [--seconds N] [--json]         输入、输出、状态和自检数值\n"
     "  record 扫描仪 文件 [--seconds N]            把扫描数据流和 IO 状态录制到文件\n"
     "  whatif 录制文件 文件 [--json]               工程的区域在录制过程中给出的输出\n"
     "  report 来源 输出.pdf                        工程文件或扫描仪的调试报告\n"
     "\n"
     "扫描仪写作 tcp:主机[:端口]、udp:主机[:端口] 或 serial:设备[@波特率]\n"
     "(省略时端口为 8080, 波特率为 576000)。\"quillmark-cli 命令 --help\" 说明单个命令。\n"
     "与扫描仪通信的命令在 --deadline N 秒(默认 120; watch 和 record 另加其 --seconds)后放弃, 退出状态为 3。"},
    {"Usage: quillmark-cli check FILE [--json]\n"
     "Reads a project file and checks that every area can be sent to a scanner: at most 100 points per output,\n"
     "coordinates within -32768 ... 32767 mm, distances within 0 ... 65535 mm. Each problem is printed with its\n"
     "area, output and point, then the configuration's fingerprint. --json prints the same as JSON.",
     "用法: quillmark-cli check 文件 [--json]\n"
     "读取工程文件, 检查每个区域能否下载到扫描仪: 每个输出最多 100 个点, 坐标在 -32768 … 32767 mm 之内,\n"
     "距离在 0 … 65535 mm 之内。每个问题都注明区域、输出和点, 最后给出配置指纹。--json 以 JSON 输出。"},
    {"Usage: quillmark-cli diff A B [--json]\n"
     "A and B are each a project file or a scanner. Prints the differences parameter by parameter, case row by\n"
     "case row, area by area and output by output (kind, point count, points moved and by how much). Arcs are\n"
     "compared as the scanner stores them (whole degrees) and polygon points in angular order. The first line\n"
     "gives both fingerprints. --json prints the same as JSON. Exit status 0 when equal, 1 when they differ,\n"
     "2 or 3 when either side cannot be read: a difference is never a failure.",
     "用法: quillmark-cli diff A B [--json]\n"
     "A 和 B 各是一个工程文件或一台扫描仪。逐个参数、逐行工况、逐个区域和输出(类型、点数、移动的点及距离)\n"
     "列出差异。圆弧按扫描仪保存的方式(整度)比较, 多边形的点按角度顺序比较。第一行给出两者的配置指纹。\n"
     "--json 以 JSON 输出。相同时退出状态为 0, 有差异时为 1, 任一方无法读取时为 2 或 3: 差异不算失败。"},
    {"Usage: quillmark-cli download SCANNER FILE\n"
     "Reads the whole configuration (areas, case table, parameters) into a project file. The device class\n"
     "comes from the file's extension, .VQ05, .VQ10, .VQ20, .VQ30 or .VQ50. A failed read leaves the file as it was.",
     "用法: quillmark-cli download 扫描仪 文件\n"
     "读取全部配置(区域、工况表、参数)存为工程文件。设备类型由文件扩展名决定: .VQ05、.VQ10、.VQ20、.VQ30\n"
     "或 .VQ50。读取失败时文件保持原样。"},
    {"Usage: quillmark-cli upload FILE SCANNER [--verify] [--reboot] [--json]\n"
     "Checks the project file, then writes areas, case table and parameters. --verify reads everything back\n"
     "and compares; --reboot answers the restart question with yes. --json prints the outcome as JSON (the\n"
     "fingerprint written, with --verify the differences read back); messages stay on standard error.\n"
     "Exit status 1 when nothing was sent because the file cannot be sent, or the read-back differs.",
     "用法: quillmark-cli upload 文件 扫描仪 [--verify] [--reboot] [--json]\n"
     "先检查工程文件, 再写入区域、工况表和参数。--verify 读回全部数据并比较; --reboot 对重启提问回答是。\n"
     "--json 以 JSON 输出结果(写入的配置指纹, 加 --verify 时还有读回的差异); 消息仍输出到标准错误。\n"
     "工程文件无法下载因而未发送任何数据, 或读回有差异时, 退出状态为 1。"},
    {"Usage: quillmark-cli info SCANNER [--json]\n"
     "Reads the whole configuration and prints the scanner's product information and the configuration's\n"
     "fingerprint. --json prints the same as JSON, with the whole SHA-256 and the parameters.",
     "用法: quillmark-cli info 扫描仪 [--json]\n"
     "读取全部配置, 输出扫描仪的产品信息和配置指纹。--json 以 JSON 输出, 含完整的 SHA-256 和参数。"},
    {"Usage: quillmark-cli discover [--seconds N]\n"
     "Sends the scanner search to every local IPv4 network and lists the scanners that answer within N seconds\n"
     "(default 2), each as a scanner address.",
     "用法: quillmark-cli discover [--seconds N]\n"
     "向每个本地 IPv4 网络发送扫描仪搜索, 列出 N 秒(默认 2 秒)内应答的扫描仪, 每台写作扫描仪地址。"},
    {"Usage: quillmark-cli watch SCANNER [--seconds N] [--json]\n"
     "Asks for the IO and self-check status every 200 ms and prints one line per reply: inputs, outputs, status,\n"
     "temperature, motor speed and the three voltages. Runs N seconds, or until interrupted.",
     "用法: quillmark-cli watch 扫描仪 [--seconds N] [--json]\n"
     "每 200 ms 查询一次 IO 和自检状态, 每个应答输出一行: 输入、输出、状态、温度、电机转速和三个电压。\n"
     "运行 N 秒, 或直到被中断。"},
    {"Usage: quillmark-cli record SCANNER FILE [--seconds N]\n"
     "Reads the product information and the parameters, then records every byte received and every request\n"
     "sent while the scans stream and the IO status is asked for every 200 ms. Runs N seconds, or until\n"
     "interrupted. The file is written as the data comes, so an interrupted recording is readable. It takes\n"
     "its name when the first data is in it: interrupted before that, the command ends with status 130 and\n"
     "an existing file of that name is left as it was.",
     "用法: quillmark-cli record 扫描仪 文件 [--seconds N]\n"
     "读取产品信息和参数, 然后在扫描数据流传输、每 200 ms 查询 IO 状态期间, 录制收到的每个字节和发送的每个请求。\n"
     "运行 N 秒, 或直到被中断。文件随数据写入, 中断的录制也能读取。文件在写入第一批数据时才取得该文件名:\n"
     "在此之前被中断时, 退出状态为 130, 同名的已有文件保持原样。"},
    {"Usage: quillmark-cli whatif RECORDING FILE [--json]\n"
     "Judges every scan of a recording with the areas of a project file, as the scanner judges them, and\n"
     "compares the outputs with those the scanner reported in the recording's IO status replies (project |\n"
     "recording). Prints per output the time it was set and how often it switched, and the scans where the\n"
     "two disagree, numbered from 1. Outputs the recording shows simulated are not compared. --json prints\n"
     "the same as JSON. Exit status 1 when they disagree anywhere, 2 for a damaged or cut recording (judged\n"
     "up to the damage), 4 when nothing could be compared (no IO status in the recording).",
     "用法: quillmark-cli whatif 录制文件 文件 [--json]\n"
     "按扫描仪的判定方式, 用工程文件的区域判定录制中的每次扫描, 并与扫描仪在录制的 IO 状态应答中报告的输出\n"
     "比较(工程 | 录制)。逐个输出列出置位时间、切换次数, 以及两者不一致的扫描(从 1 编号)。录制中处于模拟\n"
     "状态的输出不参与比较。--json 以 JSON 输出。有不一致时退出状态为 1, 录制文件损坏或不完整时为 2 (判定到\n"
     "损坏处为止), 没有可比较的内容 (录制中没有 IO 状态) 时为 4。"},
    {"Usage: quillmark-cli report SOURCE OUT.pdf\n"
     "Writes a commissioning report of a project file or a scanner as an A4 PDF: the scanner's identity when\n"
     "read from one, the fingerprint, lines to sign, the parameters, the case table, an overview of the areas\n"
     "in use and a page per area drawn to scale with its dimensions and points. A failed write leaves no file.",
     "用法: quillmark-cli report 来源 输出.pdf\n"
     "把工程文件或扫描仪的调试报告写成 A4 PDF: 读自扫描仪时的扫描仪信息、配置指纹、签字栏、参数、工况表、\n"
     "使用中区域的一览, 以及每个区域一页按比例绘制的图、尺寸和坐标点。写入失败时不留下文件。"},
    {"Exit status:\n"
     "  0  success, or equal\n"
     "  1  differences or problems found; no scanner answered a discover\n"
     "  2  usage error: bad arguments or scanner address; a missing, unreadable, damaged or cut file\n"
     "  3  link failure: no answer after the retries, connection refused or lost, a write the scanner rejected,\n"
     "     not done within the deadline\n"
     "  4  whatif: nothing could be compared\n"
     "  130  record: interrupted before the recording began (the file is left as it was)",
     "退出状态:\n"
     "  0  成功, 或相同\n"
     "  1  发现差异或问题; discover 没有扫描仪应答\n"
     "  2  用法错误: 参数或扫描仪地址有误; 文件不存在、无法读取、已损坏或不完整\n"
     "  3  连接失败: 重试后仍无应答、连接被拒绝或中断、扫描仪拒绝写入、未在时限内完成\n"
     "  4  whatif: 没有可比较的内容\n"
     "  130  record: 录制开始前被中断 (文件保持原样)"},
    {"unknown command \"%1\"", "未知命令 \"%1\""},
    {"unknown option \"%1\"", "未知选项 \"%1\""},
    {"wrong number of arguments for %1", "%1 的参数个数不对"},
    {"\"%1\" is not a scanner address (tcp:HOST[:PORT], udp:HOST[:PORT] or serial:DEVICE[@BAUD])",
     "\"%1\" 不是扫描仪地址 (tcp:主机[:端口]、udp:主机[:端口] 或 serial:设备[@波特率])"},
    {"%1 needs a whole number of seconds, 1 or more", "%1 需要 1 或更大的整数秒数"},
    {"--lang takes en or zh", "--lang 只接受 en 或 zh"},
    {"%1: no such file", "%1: 文件不存在"},
    {"%1: cannot be read: %2", "%1: 无法读取: %2"},
    {"%1: not a project file of a known class (damaged or foreign)", "%1: 不是已知类型的工程文件(已损坏或不相符)"},
    {"%1: cannot be written: %2", "%1: 无法写入: %2"},
    {"%1: the extension must be .VQ05, .VQ10, .VQ20, .VQ30 or .VQ50", "%1: 扩展名必须是 .VQ05、.VQ10、.VQ20、.VQ30 或 .VQ50"},
    {"%1 needs a scanner address here", "%1 在此处需要扫描仪地址"},
    {"%1: every area can be sent", "%1: 所有区域均可下载"},
    {"%1: %2 problem(s)", "%1: %2 个问题"},
    {"%1: cannot connect: %2", "%1: 无法连接: %2"},
    {"%1: cannot open: %2", "%1: 无法打开: %2"},
    {"%1: connection lost: %2", "%1: 连接中断: %2"},
    {"%1: no answer after the retries", "%1: 重试后仍无应答"},
    {"%1: the scanner rejected a write: %2", "%1: 扫描仪拒绝写入: %2"},
    {"%1: configuration read into %2", "%1: 配置已读入 %2"},
    {"%1: configuration written to %2", "%1: 配置已写入 %2"},
    {"%1: read back, equal", "%1: 已读回, 相同"},
    {"%1: read back, %2 difference(s)", "%1: 已读回, %2 处差异"},
    {"%1: restarted", "%1: 已重启"},
    {"equal", "相同"},
    {"%1 difference(s)", "%1 处差异"},
    {"no scanner answered", "没有扫描仪应答"},
    {"%1  %2", "%1  %2"},
    {"inputs %1 outputs %2 status %3 temperature %4° speed %5r/min drive %6V send %7V receive %8V",
     "输入 %1 输出 %2 状态 %3 温度 %4° 转速 %5r/min 驱动电压 %6V 发射电压 %7V 接收电压 %8V"},
    {"warning", "警告"},
    {"no answer", "无应答"},
    {"Try \"quillmark-cli --help\".", "请参阅 \"quillmark-cli --help\"。"},
    {"%1: recorded into %2 (%3 bytes)", "%1: 已录制到 %2 (%3 字节)"},
    {"Out%1: set %2 s | %3 s, %4 | %5 switchings", "Out%1: 置位 %2 s | %3 s, 切换 %4 | %5 次"},
    {"  scan %1 at %2 s, area %3: outputs %4 | %5", "  第 %1 次扫描 (%2 s), 区域 %3: 输出 %4 | %5"},
    {"%1 scans, %2 judged by the scanner: the project agrees", "%1 次扫描, 扫描仪判定 %2 次: 工程一致"},
    {"%1 scans, %2 judged by the scanner: %3 disagree", "%1 次扫描, 扫描仪判定 %2 次: %3 次不一致"},
    {"fingerprint: %1", "配置指纹: %1"},
    {"fingerprint: %1 | %2", "配置指纹: %1 | %2"},
    {"%1: report written to %2 (%3 pages)", "%1: 报告已写入 %2 (共 %3 页)"},
    {"%1: not done within the deadline (--deadline)", "%1: 未在时限内完成 (--deadline)"},
    {"%1: interrupted before the recording began; the file is left as it was", "%1: 录制开始前被中断, 文件保持原样"},
    {"%1 scans, none judged by the scanner: nothing compared (record with the IO status asked for)",
     "%1 次扫描, 扫描仪未判定任何一次: 没有可比较的内容 (录制时需查询 IO 状态)"},
};
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == int(CliText::WhatIfNothingCompared) + 1, "one entry per text");

} // namespace

QString cliText(CliText text, int language)
{
    const Entry &e = kTexts[int(text)];
    return QString::fromUtf8(language == 1 ? e.chinese : e.english);
}
