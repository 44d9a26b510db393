#include "sensordocktexts.h"

namespace SensorDockTexts {

namespace {
const QStringList kVerifyZh = {QStringLiteral("无校验"), QStringLiteral("奇校验"), QStringLiteral("偶校验")};
const QStringList kVerifyEn = {QStringLiteral("None"), QStringLiteral("Odd"), QStringLiteral("Even")};
const QStringList kStopBitZh = {QStringLiteral("停止位1bit"), QStringLiteral("停止位1.5bit"),
                                QStringLiteral("停止位2bit")};
const QStringList kStopBitEn = {QStringLiteral("Stop 1Bit"), QStringLiteral("Stop 1.5Bit"),
                                QStringLiteral("Stop 2Bit")};
const QStringList kLevelZh = {QStringLiteral("关闭"), QStringLiteral("简单"), QStringLiteral("中等"),
                              QStringLiteral("严格")};
} // namespace

const std::vector<Text> &titles()
{
    static const std::vector<Text> texts = {
        {"SensorSettingDock", QStringLiteral("传感器设定"), QStringLiteral("Sensor Setting")},
        {"ScanGroupBox", QStringLiteral("扫描设置"), QStringLiteral("Scan Setting")},
    };
    return texts;
}

const std::vector<Text> &labels()
{
    static const std::vector<Text> texts = {
        {"label_ControlMode", QStringLiteral("传感器控制方式"), QStringLiteral("Control Mode")},
        {"label_RS232BaudRate", QStringLiteral("RS232通信波特率"), QStringLiteral("RS232 BaudRate")},
        {"label_RS232CommVerify", QStringLiteral("RS232通信校验位"), QStringLiteral("RS232 Verify")},
        {"label_RS232StopBit", QStringLiteral("RS232通信停止位"), QStringLiteral("RS232 StopBit")},
        {"label_RS485IDAddress", QStringLiteral("RS485地址(1-127)"), QStringLiteral("RS485 ID(1-127)")},
        {"label_RS485BaudRate", QStringLiteral("RS485通信波特率"), QStringLiteral("RS485 BaudRate")},
        {"label_RS485CommVerify", QStringLiteral("RS485通信校验位"), QStringLiteral("RS485 Verify")},
        {"label_RS485StopBit", QStringLiteral("RS485通信停止位"), QStringLiteral("RS485 StopBit")},
        {"label_CANIDAddress", QStringLiteral("CAN总线地址(1-127)"), QStringLiteral("CAN ID(1-127)")},
        {"label_CANBaudRate", QStringLiteral("CAN总线波特率"), QStringLiteral("CAN BaudRate")},
        {"label_SensorOutputLogic", QStringLiteral("传感器输出逻辑"), QStringLiteral("Output Logic")},
        {"label_ScanMotorSpeed", QStringLiteral("扫描电机速度"), QStringLiteral("Motor SpeedRatio")},
        {"label_ScanSensorAngle", QStringLiteral("传感器角度分辨率"), QStringLiteral("Sensor Scan Degree")},
        {"label_ScanFilterLevel", QStringLiteral("采样噪声过滤等级"), QStringLiteral("Scan Filter Level")},
        {"label_SensorInstallDir", QStringLiteral("传感器安装方向"), QStringLiteral("Install Dir")},
        {"label_CrossFilterEnable", QStringLiteral("串扰过滤模式"), QStringLiteral("Cross Mode")},
        {"label_CrossFilterNumber", QStringLiteral("串扰过滤数量"), QStringLiteral("Cross Number")},
        {"label_SensorEtherMode", QStringLiteral("以太网接口模式"), QStringLiteral("Ethernet Mode")},
        {"label_SensorIPAddress", QStringLiteral("以太网IP地址"), QStringLiteral("IP Address:")},
        {"label_LaserMeasureFrq", QStringLiteral("激光测量频率"), QStringLiteral("Laser Ferq")},
        {"label_LaserStopSignal", QStringLiteral("接收回波选择"), QStringLiteral("Stop Signal")},
        {"label_TrailiFilterLevel", QStringLiteral("拖尾过滤等级"), QStringLiteral("Traili Filter")},
        {"label_DirtyReceDistance", QStringLiteral("脏污过滤距离"), QStringLiteral("Dirty Distance")},
        {"label_DirtyReceStrength", QStringLiteral("脏污过滤强度"), QStringLiteral("Dirty Strength")},
        // The "Scan Setting" group.
        {"label_SetSleepMode", QStringLiteral("工作模式"), QStringLiteral("Work Mode")},
        {"label_SetMotorSpeed", QStringLiteral("扫描电机速度"), QStringLiteral("Motor Speed")},
        {"label_SetSensorAngle", QStringLiteral("角度分辨率"), QStringLiteral("Scan Degree")},
        {"label_SetFilterLevel", QStringLiteral("噪声过滤等级"), QStringLiteral("Filter Level")},
    };
    return texts;
}

const std::vector<Items> &itemLists()
{
    static const std::vector<Items> lists = {
        // The sixth control mode has no English text; the Chinese switch
        // names it by its protocol.
        {"Para_ControlMode",
         {QStringLiteral("IO接口控制"), QStringLiteral("RS232通信控制"), QStringLiteral("RS485通信控制"),
          QStringLiteral("CAN总线控制"), QStringLiteral("Modbus协议控制"), QStringLiteral("CANOpen协议控制")},
         {QStringLiteral("IO Interface"), QStringLiteral("RS232 Interface"), QStringLiteral("RS485 Interface"),
          QStringLiteral("CAN Interface"), QStringLiteral("Modbus Interface")}},
        {"Para_RS232CommVerify", kVerifyZh, kVerifyEn},
        {"Para_RS232StopBit", kStopBitZh, kStopBitEn},
        {"Para_RS485CommVerify", kVerifyZh, kVerifyEn},
        {"Para_RS485StopBit", kStopBitZh, kStopBitEn},
        {"Para_SensorOutputLogic",
         {QStringLiteral("高电平有效"), QStringLiteral("低电平有效")},
         {QStringLiteral("Active High"), QStringLiteral("Active Low")}},
        {"Para_ScanFilterLevel", kLevelZh,
         {QStringLiteral("Close"), QStringLiteral("Easy"), QStringLiteral("Middle"), QStringLiteral("Strict")}},
        {"Para_SensorInstallDir",
         {QStringLiteral("正向安装"), QStringLiteral("倒立安装")},
         {QStringLiteral("Forward"), QStringLiteral("Reverse")}},
        {"Para_CrossFilterEnable",
         {QStringLiteral("关闭"), QStringLiteral("拟合"), QStringLiteral("删除")},
         {QStringLiteral("Disable"), QStringLiteral("fitting"), QStringLiteral("Delete")}},
        {"Para_SensorEtherMode",
         {QStringLiteral("TCP服务器"), QStringLiteral("UDP模式")},
         {QStringLiteral("TCP Server"), QStringLiteral("UDP Mode")}},
        {"Para_TrailiFilterLevel", kLevelZh,
         {QStringLiteral("Close"), QStringLiteral("Easy"), QStringLiteral("Medium"), QStringLiteral("Strict")}},
        // The "Scan Setting" group.
        {"Set_SensorSleepMode",
         {QStringLiteral("正常工作"), QStringLiteral("休眠待机")},
         {QStringLiteral("Normal"), QStringLiteral("Sleep")}},
        {"Set_ScanFilterLevel", kLevelZh,
         {QStringLiteral("Close"), QStringLiteral("Easy"), QStringLiteral("Middle"), QStringLiteral("Strict")}},
    };
    return lists;
}

} // namespace SensorDockTexts
