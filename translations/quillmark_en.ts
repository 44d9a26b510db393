<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>MainWindow</name>
    <message>
        <source>输入:</source>
        <translation>Inputs:</translation>
    </message>
    <message>
        <source>输出:</source>
        <translation>Outputs:</translation>
    </message>
    <message>
        <source>安装方向:</source>
        <translation>Install Dir:</translation>
    </message>
    <message>
        <source>状态:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>新建文件</source>
        <translation>New</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>视窗</source>
        <translation>View</translation>
    </message>
    <message>
        <source>视图</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connections</translation>
    </message>
    <message>
        <source>接口</source>
        <translation>Interfaces</translation>
    </message>
    <message>
        <source>显示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>编辑控制</source>
        <translation>Area Editing</translation>
    </message>
    <message>
        <source>区域列表</source>
        <translation>Area List</translation>
    </message>
    <message>
        <source>区域编辑</source>
        <translation>Area Edit</translation>
    </message>
    <message>
        <source>Out 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>独立模式</source>
        <translation>Independent</translation>
    </message>
    <message>
        <source>依靠模式</source>
        <translation>Dependent</translation>
    </message>
    <message>
        <source>示教</source>
        <translation>Teach</translation>
    </message>
    <message>
        <source>余量[mm]:</source>
        <translation>Margin[mm]:</translation>
    </message>
    <message>
        <source>时长[s]:</source>
        <translation>Time[s]:</translation>
    </message>
    <message>
        <source>一次扫描</source>
        <translation>1 scan</translation>
    </message>
    <message>
        <source>直角坐标</source>
        <translation>Controls XY</translation>
    </message>
    <message>
        <source>点数</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>X坐标[mm]</source>
        <translation>X [mm]</translation>
    </message>
    <message>
        <source>Y坐标[mm]</source>
        <translation>Y [mm]</translation>
    </message>
    <message>
        <source>极坐标</source>
        <translation>Controls Polar</translation>
    </message>
    <message>
        <source>距离[mm]</source>
        <translation>R [mm]</translation>
    </message>
    <message>
        <source>角度[deg]</source>
        <translation>Th [deg]</translation>
    </message>
    <message>
        <source>Out 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>通道参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>开启延时:</source>
        <translation>Open Delay:</translation>
    </message>
    <message>
        <source>0ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>20ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>40ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>60ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>80ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>100ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>120ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>140ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>160ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>180ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>200ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>220ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>240ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>260ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>280ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>300ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>320ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>340ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>360ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>380ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>400ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>420ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>440ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>460ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>480ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>500ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关闭延时:</source>
        <translation>Close Delay:</translation>
    </message>
    <message>
        <source>关闭迟滞:</source>
        <translation>Hysteresis:</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检测物体大小:</source>
        <translation>Detection Size:</translation>
    </message>
    <message>
        <source>0.5°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1.0°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1.5°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2.0°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2.5°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3.0°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3.5°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4.0°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4.5°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5.0°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>智能选择</source>
        <translation>CaseChannel</translation>
    </message>
    <message>
        <source>转向角下限[°]:</source>
        <translation>Steer Min[°]:</translation>
    </message>
    <message>
        <source>转向角上限[°]:</source>
        <translation>Steer Max[°]:</translation>
    </message>
    <message>
        <source>车速下限:</source>
        <translation>Speed Min:</translation>
    </message>
    <message>
        <source>车速上限:</source>
        <translation>Speed Max:</translation>
    </message>
    <message>
        <source>操作模式:</source>
        <translation>Operation Mode:</translation>
    </message>
    <message>
        <source>操作模式0</source>
        <translation>Type 0</translation>
    </message>
    <message>
        <source>操作模式1</source>
        <translation>Type 1</translation>
    </message>
    <message>
        <source>操作模式2</source>
        <translation>Type 2</translation>
    </message>
    <message>
        <source>操作模式3</source>
        <translation>Type 3</translation>
    </message>
    <message>
        <source>操作模式4</source>
        <translation>Type 4</translation>
    </message>
    <message>
        <source>传感器设定</source>
        <translation>Sensor Setting</translation>
    </message>
    <message>
        <source>传感器控制方式</source>
        <translation>Control Mode</translation>
    </message>
    <message>
        <source>IO接口控制</source>
        <translation>IO Interface</translation>
    </message>
    <message>
        <source>RS232通信控制</source>
        <translation>RS232 Interface</translation>
    </message>
    <message>
        <source>RS485通信控制</source>
        <translation>RS485 Interface</translation>
    </message>
    <message>
        <source>CAN总线控制</source>
        <translation>CAN Interface</translation>
    </message>
    <message>
        <source>Modbus协议控制</source>
        <translation>Modbus Interface</translation>
    </message>
    <message>
        <source>CANOpen总线控制</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RS232通信波特率</source>
        <translation>RS232 BaudRate</translation>
    </message>
    <message>
        <source>9600</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>19200</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>38400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>57600</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>115200</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RS232通信校验位</source>
        <translation>RS232 Verify</translation>
    </message>
    <message>
        <source>无校验</source>
        <translation>None</translation>
    </message>
    <message>
        <source>奇校验</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>偶校验</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>RS232通信停止位</source>
        <translation>RS232 StopBit</translation>
    </message>
    <message>
        <source>停止位1bit</source>
        <translation>Stop 1Bit</translation>
    </message>
    <message>
        <source>停止位1.5bit</source>
        <translation>Stop 1.5Bit</translation>
    </message>
    <message>
        <source>停止位2bit</source>
        <translation>Stop 2Bit</translation>
    </message>
    <message>
        <source>RS485地址(1-127)</source>
        <translation>RS485 ID(1-127)</translation>
    </message>
    <message>
        <source>RS485通信波特率</source>
        <translation>RS485 BaudRate</translation>
    </message>
    <message>
        <source>RS485通信校验位</source>
        <translation>RS485 Verify</translation>
    </message>
    <message>
        <source>RS485通信停止位</source>
        <translation>RS485 StopBit</translation>
    </message>
    <message>
        <source>CAN总线地址(1-127)</source>
        <translation>CAN ID(1-127)</translation>
    </message>
    <message>
        <source>CAN总线波特率</source>
        <translation>CAN BaudRate</translation>
    </message>
    <message>
        <source>125K</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>250K</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>500K</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1000K</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>传感器输出逻辑</source>
        <translation>Output Logic</translation>
    </message>
    <message>
        <source>高电平有效</source>
        <translation>Active High</translation>
    </message>
    <message>
        <source>低电平有效</source>
        <translation>Active Low</translation>
    </message>
    <message>
        <source>扫描电机速度</source>
        <translation>Motor SpeedRatio</translation>
    </message>
    <message>
        <source>10Hz,15Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>20Hz,30Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>传感器角度分辨率</source>
        <translation>Sensor Scan Degree</translation>
    </message>
    <message>
        <source>0.025°/10,15Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.050°/10,20,30Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.100°/10,20,30Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.250°/10,20,30Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.500°/10,20,30Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>采样噪声过滤等级</source>
        <translation>Scan Filter Level</translation>
    </message>
    <message>
        <source>简单</source>
        <translation>Easy</translation>
    </message>
    <message>
        <source>中等</source>
        <translation>Middle</translation>
    </message>
    <message>
        <source>严格</source>
        <translation>Strict</translation>
    </message>
    <message>
        <source>传感器安装方向</source>
        <translation>Install Dir</translation>
    </message>
    <message>
        <source>正向安装</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>倒立安装</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>串扰过滤模式</source>
        <translation>Cross Mode</translation>
    </message>
    <message>
        <source>关闭</source>
        <comment>cross filter</comment>
        <translation>Disable</translation>
    </message>
    <message>
        <source>拟合</source>
        <translation>fitting</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>串扰过滤数量</source>
        <translation>Cross Number</translation>
    </message>
    <message>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>以太网接口模式</source>
        <translation>Ethernet Mode</translation>
    </message>
    <message>
        <source>TCP服务器</source>
        <translation>TCP Server</translation>
    </message>
    <message>
        <source>UDP模式</source>
        <translation>UDP Mode</translation>
    </message>
    <message>
        <source>以太网IP地址</source>
        <translation>IP Address:</translation>
    </message>
    <message>
        <source>激光测量频率</source>
        <translation>Laser Ferq</translation>
    </message>
    <message>
        <source>144KHz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>216KHz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>432KHz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接收回波选择</source>
        <translation>Stop Signal</translation>
    </message>
    <message>
        <source>第一次</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第二次</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最后一次</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>能量最大</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>拖尾过滤等级</source>
        <translation>Traili Filter</translation>
    </message>
    <message>
        <source>中等</source>
        <comment>trailing filter</comment>
        <translation>Medium</translation>
    </message>
    <message>
        <source>脏污过滤距离</source>
        <translation>Dirty Distance</translation>
    </message>
    <message>
        <source>脏污过滤强度</source>
        <translation>Dirty Strength</translation>
    </message>
    <message>
        <source>扫描设置</source>
        <translation>Scan Setting</translation>
    </message>
    <message>
        <source>工作模式</source>
        <translation>Work Mode</translation>
    </message>
    <message>
        <source>正常工作</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>休眠待机</source>
        <translation>Sleep</translation>
    </message>
    <message>
        <source>扫描电机速度</source>
        <comment>scan setting</comment>
        <translation>Motor Speed</translation>
    </message>
    <message>
        <source>角度分辨率</source>
        <translation>Scan Degree</translation>
    </message>
    <message>
        <source>噪声过滤等级</source>
        <translation>Filter Level</translation>
    </message>
    <message>
        <source>数据列表</source>
        <translation>Data Table</translation>
    </message>
    <message>
        <source>时间戳:</source>
        <translation>Timestamp:</translation>
    </message>
    <message>
        <source>角度</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>距离[mm]</source>
        <comment>data table</comment>
        <translation>Distance[mm]</translation>
    </message>
    <message>
        <source>反光强度</source>
        <translation>Intensity</translation>
    </message>
    <message>
        <source>输入输出仿真</source>
        <translation>IO Simulation</translation>
    </message>
    <message>
        <source>输入仿真</source>
        <translation>Input Simulation</translation>
    </message>
    <message>
        <source>输出仿真</source>
        <translation>Output Simulation</translation>
    </message>
    <message>
        <source>故障仿真</source>
        <translation>Fault Simulation</translation>
    </message>
    <message>
        <source>工况仿真</source>
        <translation>Case Simulation</translation>
    </message>
    <message>
        <source>转向角度:</source>
        <translation>Steer Angle:</translation>
    </message>
    <message>
        <source>车辆速度:</source>
        <translation>Vehicle Speed:</translation>
    </message>
    <message>
        <source>自检状态</source>
        <translation>SelfCheck</translation>
    </message>
    <message>
        <source>传感器温度:</source>
        <translation>Temperature:</translation>
    </message>
    <message>
        <source>电机转速:</source>
        <translation>Motor Speed:</translation>
    </message>
    <message>
        <source>驱动电压:</source>
        <translation>Drive Voltage:</translation>
    </message>
    <message>
        <source>发射电压:</source>
        <translation>Send Voltage:</translation>
    </message>
    <message>
        <source>接收电压:</source>
        <translation>Receive Voltage:</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存文件</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>最近的工程</source>
        <translation>Recent Projects</translation>
    </message>
    <message>
        <source>清除列表</source>
        <translation>Clear List</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开录制文件…</source>
        <translation>Open Recording…</translation>
    </message>
    <message>
        <source>开始录制…</source>
        <translation>Start Recording…</translation>
    </message>
    <message>
        <source>停止录制</source>
        <translation>Stop Recording</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Ctrl+Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>剪贴</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全部删除</source>
        <translation>Delete All</translation>
    </message>
    <message>
        <source>按车辆生成区域…</source>
        <translation>Fields from vehicle…</translation>
    </message>
    <message>
        <source>应用设置</source>
        <translation>App Settings</translation>
    </message>
    <message>
        <source>距离</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Ctrl+L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>强度</source>
        <translation>Intensity</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+T</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编辑</source>
        <comment>edit mode</comment>
        <translation>Edition</translation>
    </message>
    <message>
        <source>Ctrl+Alt+E</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>监控</source>
        <translation>Monitoring</translation>
    </message>
    <message>
        <source>Ctrl+Alt+M</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Alt+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Alt+I</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Serial</translation>
    </message>
    <message>
        <source>以太网</source>
        <translation>Ethernet</translation>
    </message>
    <message>
        <source>串口设置</source>
        <translation>Serial Setting</translation>
    </message>
    <message>
        <source>以太网设置</source>
        <translation>Ethernet Setting</translation>
    </message>
    <message>
        <source>连接设备</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>Ctrl+Alt+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>断开设备</source>
        <translation>DisConnection</translation>
    </message>
    <message>
        <source>Ctrl+Alt+D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上传数据</source>
        <translation>Read All Setting</translation>
    </message>
    <message>
        <source>Ctrl+Shift+R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下载数据</source>
        <translation>Write All Setting</translation>
    </message>
    <message>
        <source>Ctrl+Shift+W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重启设备</source>
        <translation>Soft Reboot</translation>
    </message>
    <message>
        <source>Ctrl+Alt+R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>传感器信息</source>
        <translation>Sensor Information</translation>
    </message>
    <message>
        <source>Ctrl+Shift+I</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Ctrl+A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>指南</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图形显示</source>
        <translation>Disp Graph</translation>
    </message>
    <message>
        <source>点云显示</source>
        <translation>Disp Cloud</translation>
    </message>
    <message>
        <source>线条显示</source>
        <translation>Disp Line</translation>
    </message>
    <message>
        <source>适应视图</source>
        <translation>Fit View</translation>
    </message>
    <message>
        <source>缩放并居中显示当前区域的各输出区域；没有输出区域时显示实时扫描</source>
        <translation>Zooms to the zones of the current area and centres them; to the live scan when it has none</translation>
    </message>
    <message>
        <source>显示侵入点</source>
        <translation>Show Intrusions</translation>
    </message>
    <message>
        <source>实时显示时，用区域颜色标出落在当前区域各输出区域内的扫描点</source>
        <translation>During the live display, marks every scan point inside a zone of the current area in that zone&apos;s colour</translation>
    </message>
    <message>
        <source>导出报告…</source>
        <translation>Export Report…</translation>
    </message>
    <message>
        <source>与设备比较</source>
        <translation>Compare with Scanner</translation>
    </message>
    <message>
        <source>读取设备的全部配置，与工程比较（工程不变）</source>
        <translation>Reads the scanner&apos;s whole configuration and compares it with the project (the project stays as it is)</translation>
    </message>
    <message>
        <source>写入差异</source>
        <translation>Write Differences</translation>
    </message>
    <message>
        <source>只写入与设备不同的区域、工况表和参数</source>
        <translation>Writes only the areas, case table and parameters that differ from the scanner</translation>
    </message>
</context>
</TS>
