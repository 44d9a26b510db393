// The language switch of the main window's form: texts come from the
// translations, while every option list keeps its count, its current index
// and the items of the connected scanner's type, and the title stays.

#include "coord_table.h"
#include "dialogseam.h"
#include "editdata.h"
#include "mainwindow.h"
#include "scripteddialogs.h"
#include "sensordocktexts.h"
#include "ui_mainwindow.h"

#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QScrollArea>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTranslator>
#include <QtTest>

#include <memory>
#include <vector>

namespace {
// The text an object shows: a title, a text, or with index the item, header
// section or tab of that number.
QString shownText(const QObject *root, const QString &name, int index)
{
    const QObject *o = root->findChild<QObject *>(name);
    if (!o)
        return QStringLiteral("<no %1>").arg(name);
    if (auto *menu = qobject_cast<const QMenu *>(o))
        return menu->title();
    if (auto *action = qobject_cast<const QAction *>(o))
        return action->text();
    if (auto *dock = qobject_cast<const QDockWidget *>(o))
        return dock->windowTitle();
    if (auto *label = qobject_cast<const QLabel *>(o))
        return label->text();
    if (auto *group = qobject_cast<const QGroupBox *>(o))
        return group->title();
    if (auto *combo = qobject_cast<const QComboBox *>(o))
        return combo->itemText(index);
    if (auto *table = qobject_cast<const QTableWidget *>(o))
        return table->horizontalHeaderItem(index)->text();
    if (auto *tabs = qobject_cast<const QTabWidget *>(o))
        return tabs->tabText(index);
    return QStringLiteral("<%1 has no text>").arg(name);
}

struct ListState
{
    int count;
    int index;
    QStringList items;
};
} // namespace

class TestMainWindowLanguage : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QSettings(QStringLiteral("Ostrelan"), QStringLiteral("Parameters")).clear(); }

    void formTexts_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        QTest::newRow("File menu") << "menuFile" << -1 << "File" << "文件";
        QTest::newRow("New submenu") << "menuNew" << -1 << "New" << "新建文件";
        QTest::newRow("recent projects") << "menuRecent" << -1 << "Recent Projects" << "最近的工程";
        QTest::newRow("clear the list") << "ClearRecent" << -1 << "Clear List" << "清除列表";
        QTest::newRow("edit dock") << "EditionControlDock" << -1 << "Area Editing" << "编辑控制";
        QTest::newRow("Connections menu") << "menuConnections" << -1 << "Connections" << "连接";
        QTest::newRow("Open") << "Open" << -1 << "Open" << "打开文件";
        QTest::newRow("Edition, not Edit") << "Edition" << -1 << "Edition" << "编辑";
        QTest::newRow("DisConnection") << "DisConnection" << -1 << "DisConnection" << "断开设备";
        QTest::newRow("Write All Setting") << "WriteAllSetting" << -1 << "Write All Setting" << "下载数据";
        QTest::newRow("Chinese stays") << "Chinese" << -1 << "简体中文" << "简体中文";
        QTest::newRow("actionComm stays") << "actionComm" << -1 << "通讯记录" << "通讯记录";
        QTest::newRow("sensor dock") << "SensorSettingDock" << -1 << "Sensor Setting" << "传感器设定";
        QTest::newRow("scan group") << "ScanGroupBox" << -1 << "Scan Setting" << "扫描设置";
        QTest::newRow("dock label") << "label_LaserMeasureFrq" << -1 << "Laser Ferq" << "激光测量频率";
        QTest::newRow("group label") << "label_SetMotorSpeed" << -1 << "Motor Speed" << "扫描电机速度";
        QTest::newRow("install direction") << "label_dirValue" << -1 << "Forward Set" << "正向安装";
        QTest::newRow("status") << "label_StatusValue" << -1 << "Normal(0)" << "正常(0)";
        QTest::newRow("hysteresis off") << "Area_Hysteresis" << 0 << "Close" << "关闭";
        QTest::newRow("operation mode") << "VehicleOptionMode" << 3 << "Type 3" << "操作模式3";
        QTest::newRow("cross filter off") << "Para_CrossFilterEnable" << 0 << "Disable" << "关闭";
        QTest::newRow("trailing filter") << "Para_TrailiFilterLevel" << 2 << "Medium" << "中等";
        // The first switch (at construction, Chinese) names it by its
        // protocol; English has no text of its own for it.
        QTest::newRow("CANOpen") << "Para_ControlMode" << 5 << "CANOpen协议控制" << "CANOpen协议控制";
        QTest::newRow("polar header") << "PolarTableWidgeOut1" << 1 << "R [mm]" << "距离[mm]";
        QTest::newRow("cartesian header") << "CoordTableWidgetOut2" << 2 << "Y [mm]" << "Y坐标[mm]";
        QTest::newRow("data header") << "DataTableWidget" << 1 << "Distance[mm]" << "距离[mm]";
        QTest::newRow("case channel tab") << "ParametersEditTab" << 1 << "CaseChannel" << "智能选择";
    }
    void formTexts()
    {
        QFETCH(QString, object);
        QFETCH(int, index);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        EditData data;
        ScriptedDialogs dialogs;
        MainWindow window(&data, &dialogs);
        QCOMPARE(shownText(&window, object, index), chinese);
        window.LanguageToEnglish();
        QCOMPARE(shownText(&window, object, index), english);
        window.LanguageToChinese();
        QCOMPARE(shownText(&window, object, index), chinese);
    }

    // Every list of the window, the scanner's three included, with no index
    // at its default; the switch and the language-change events it posts.
    void switchingKeepsEveryListAndTheTitle()
    {
        EditData data;
        ScriptedDialogs dialogs;
        MainWindow window(&data, &dialogs);
        QVERIFY(QMetaObject::invokeMethod(&window, "SensorTypeChange", Q_ARG(int, 19)));
        const QList<QComboBox *> combos = window.findChildren<QComboBox *>();
        QVERIFY(combos.size() > 20);
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        QHash<QComboBox *, ListState> before;
        for (QComboBox *c : combos) {
            c->setCurrentIndex(c->count() - 1);
            QStringList items;
            for (int i = 0; i < c->count(); ++i)
                items << c->itemText(i);
            before.insert(c, {c->count(), c->currentIndex(), items});
            spies.emplace_back(new QSignalSpy(c, qOverload<int>(&QComboBox::currentIndexChanged)));
        }
        auto *speed = window.findChild<QComboBox *>(QStringLiteral("Para_ScanMotorSpeed"));
        auto *stop = window.findChild<QComboBox *>(QStringLiteral("Para_LaserStopSignal"));
        QCOMPARE(speed->itemText(0), QStringLiteral("15Hz,900r"));

        for (const char *slot : {"LanguageToEnglish", "LanguageToChinese"}) {
            QVERIFY(QMetaObject::invokeMethod(&window, slot));
            QCoreApplication::sendPostedEvents();
            QVERIFY(window.windowTitle().endsWith(QStringLiteral(" - 激光雷达编辑器")));
            for (int k = 0; k < combos.size(); ++k) {
                QComboBox *c = combos[k];
                const QByteArray where = c->objectName().toLatin1() + " after " + slot;
                QVERIFY2(c->count() == before[c].count, where.constData());
                QVERIFY2(c->currentIndex() == before[c].index, where.constData());
                QVERIFY2(spies[size_t(k)]->isEmpty(), where.constData());
            }
            for (const char *name : {"Para_ScanMotorSpeed", "Para_LaserMeasureFrq", "Para_LaserStopSignal"}) {
                auto *c = window.findChild<QComboBox *>(QLatin1String(name));
                for (int i = 0; i < c->count(); ++i)
                    QCOMPARE(c->itemText(i), before[c].items[i]);
            }
        }
        QCOMPARE(stop->itemText(1), QStringLiteral("第二次"));
    }

    // A small screen's window in either language: the docks leave the view
    // and its panel alone, the panel's controls all lie inside it, and the
    // parameter page is not narrower than its rows want.
    void fitsIntoASmallWindow_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("Chinese") << false;
        QTest::newRow("English") << true;
    }
    void fitsIntoASmallWindow()
    {
        QFETCH(bool, english);
        // The 9-point font of a desktop session (offscreen defaults to 12).
        const QFont offscreenFont = QApplication::font();
        QFont font = offscreenFont;
        font.setPointSize(9);
        QApplication::setFont(font);
        const auto restoreFont = qScopeGuard([&] { QApplication::setFont(offscreenFont); });
        EditData data;
        ScriptedDialogs dialogs;
        MainWindow window(&data, &dialogs);
        if (english)
            window.LanguageToEnglish();
        window.resize(1024, 640);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::sendPostedEvents();
        QCOMPARE(window.size(), QSize(1024, 640));

        const QRect central = window.centralWidget()->geometry();
        const QRect edit = window.findChild<QDockWidget *>(QStringLiteral("EditionControlDock"))->geometry();
        const QRect sensor = window.findChild<QDockWidget *>(QStringLiteral("SensorSettingDock"))->geometry();
        QVERIFY(!edit.intersects(central));
        QVERIFY(!sensor.intersects(central));
        QVERIFY(!edit.intersects(sensor));
        auto *panel = window.findChild<QWidget *>(QStringLiteral("MonitorPanel"));
        QVERIFY(window.centralWidget()->rect().contains(panel->geometry()));
        for (const char *name : {"InputsGroup", "OutputsGroup", "DirectionGroup", "StatusGroup", "ZoomGroup"}) {
            const QRect group = window.findChild<QWidget *>(QLatin1String(name))->geometry();
            QVERIFY2(panel->rect().contains(group), name);
            QVERIFY2(group.width() >= window.findChild<QWidget *>(QLatin1String(name))->sizeHint().width(), name);
        }
        auto *view = window.findChild<QWidget *>(QStringLiteral("graphicsView"));
        QVERIFY(!view->geometry().intersects(panel->geometry()));
        auto *page = window.findChild<QWidget *>(QStringLiteral("SensorParaContents"));
        auto *area = window.findChild<QScrollArea *>(QStringLiteral("SensorScrollArea"));
        QVERIFY(page->width() >= page->sizeHint().width());
        QVERIFY(area->viewport()->width() >= page->width());
    }

    // A language change reaches every widget: the transfer progress must not
    // grow back the cancel button it was built without.
    void progressHasNoCancelButtonAfterASwitch()
    {
        EditData data;
        MainWindow window(&data); // with its own message boxes and progress
        DialogSeam::current()->progressShow(QStringLiteral("x"), 10);
        auto *progress = window.findChild<QProgressDialog *>();
        QVERIFY(progress);
        window.LanguageToEnglish();
        QCoreApplication::sendPostedEvents();
        QVERIFY(progress->findChildren<QPushButton *>().isEmpty());
        DialogSeam::current()->progressClose();
    }

    // The sensor dock and the coordinate tables set their texts again after
    // the form's: the translations must say the same.
    void translationsAgreeWithTheControllersTexts_data()
    {
        QTest::addColumn<QString>("translation");
        QTest::addColumn<int>("flag");
        QTest::newRow("English") << ":/translations/quillmark_en.qm" << 1;
        QTest::newRow("Chinese") << ":/translations/quillmark_zh.qm" << 0;
    }
    void translationsAgreeWithTheControllersTexts()
    {
        QFETCH(QString, translation);
        QFETCH(int, flag);
        Q_INIT_RESOURCE(translations);
        QTranslator translator;
        QVERIFY(translator.load(translation));
        QCoreApplication::installTranslator(&translator);
        QMainWindow form;
        Ui::MainWindow ui;
        ui.setupUi(&form);
        ui.retranslateUi(&form);
        const bool english = flag == 1;
        for (const SensorDockTexts::Text &t : SensorDockTexts::titles())
            QCOMPARE(shownText(&form, QLatin1String(t.objectName), -1), english ? t.english : t.chinese);
        for (const SensorDockTexts::Text &t : SensorDockTexts::labels())
            QCOMPARE(shownText(&form, QLatin1String(t.objectName), -1), english ? t.english : t.chinese);
        for (const SensorDockTexts::Items &items : SensorDockTexts::itemLists()) {
            const QStringList &texts = english ? items.english : items.chinese;
            for (int i = 0; i < texts.size(); ++i)
                QCOMPARE(shownText(&form, QLatin1String(items.objectName), i), texts[i]);
        }

        QTableWidget *const tables[] = {ui.CoordTableWidgetOut1, ui.CoordTableWidgetOut2, ui.CoordTableWidgetOut3,
                                        ui.PolarTableWidgeOut1,  ui.PolarTableWidgeOut2,  ui.PolarTableWidgeOut3};
        QStringList translated;
        for (QTableWidget *t : tables)
            for (int column = 0; column < 3; ++column)
                translated << t->horizontalHeaderItem(column)->text();
        EditData data;
        COORD_TABLE coords(&data, tables[0], tables[1], tables[2], tables[3], tables[4], tables[5]);
        coords.SetHeaderLanguage(flag);
        QStringList own;
        for (QTableWidget *t : tables)
            for (int column = 0; column < 3; ++column)
                own << t->horizontalHeaderItem(column)->text();
        QCOMPARE(translated, own);
    }
};

QTEST_MAIN(TestMainWindowLanguage)
#include "tst_mainwindow_language.moc"
