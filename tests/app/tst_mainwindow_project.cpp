#include "areahistory.h"
#include "editdata.h"
#include "mainwindow.h"
#include "scripteddialogs.h"
#include "viewwindow.h"
#include "widgetdriving.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
// The sensor dock's widgets in project-file order.
const char *const kSensorWidgets[] = {
    "Para_ControlMode",       "Para_RS232BaudRate",      "Para_RS232CommVerify",  "Para_RS232StopBit",
    "Para_RS485IDAddress",    "Para_RS485BaudRate",      "Para_RS485CommVerify",  "Para_RS485StopBit",
    "Para_CANIDAddress",      "Para_CANBaudRate",        "Para_SensorOutputLogic", "Para_ScanMotorSpeed",
    "Para_ScanSensorAngle",   "Para_ScanFilterLevel",    "Para_SensorInstallDir", "Para_CrossFilterEnable",
    "Para_CrossFilterNumber", "Para_SensorEtherMode",    "Para_SensorIPAddress1", "Para_SensorIPAddress2",
    "Para_SensorIPAddress3",  "Para_SensorIPAddress4",   "Para_LaserMeasureFrq",  "Para_LaserStopSignal",
    "Para_TrailiFilterLevel", "Para_DirtyReceDistance",  "Para_DirtyReceStrength"};

// A full project: every field in range for the editors and different from
// its neighbours, 100 points per output.
AreaRecord fullArea(int i)
{
    AreaRecord a;
    a.OpenDelay = i % 26;
    a.CloseDelay = (i * 7 + 3) % 26;
    a.Hysteresis = i % 11;
    a.DetectionSize = (i + 5) % 10;
    a.SteerMinDgree = -180 + i;
    a.SteerMaxDgree = 170 - i;
    a.VehicleMinSpeed = -300 + 2 * i;
    a.VehicleMaxSpeed = 299 - i;
    a.VehicleOptionMode = (i + 1) % 5;
    a.Out1Shape = i % 3;
    a.Out2Shape = (i + 1) % 6;
    a.Out3Shape = (i + 4) % 6;
    for (int out = 0; out < EditData::OutputCount; ++out)
        for (int k = 0; k < 100; ++k)
            a.points(out).append(QPoint(-30000 + 600 * k + i, 25000 - 250 * k - 7 * out));
    return a;
}
} // namespace

// The project-file slots of the main window, driven through its actions and
// the scripted file dialogs, with real files in a temporary folder.
class TestMainWindowProject : public QObject
{
    Q_OBJECT

    std::unique_ptr<EditData> data;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<QTemporaryDir> dir;

    template <typename T> T *child(const char *name)
    {
        T *w = window->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no widget %s", name);
        return w;
    }
    QString path(const QString &name) const { return dir->filePath(name); }
    void invoke(const char *slot) { QVERIFY(QMetaObject::invokeMethod(window.get(), slot)); }
    void chooseClass(int deviceClass)
    {
        DEVICETYPE t;
        t.Type = deviceClass;
        QVERIFY(QMetaObject::invokeMethod(window.get(), "CreateDeviceType", Q_ARG(DEVICETYPE *, &t)));
    }
    void save(const QString &name)
    {
        dialogs->fileNames.enqueue(name);
        child<QAction>("Save")->trigger();
    }

    QVector<int> sensorWidgetStates()
    {
        QVector<int> states;
        for (const char *name : kSensorWidgets) {
            QWidget *w = child<QWidget>(name);
            if (auto *combo = qobject_cast<QComboBox *>(w))
                states << combo->currentIndex();
            else
                states << qobject_cast<QSpinBox *>(w)->value();
        }
        return states;
    }
    // Moves every widget to another valid state; `step` picks which.
    void changeSensorWidgets(int step)
    {
        int row = 0;
        for (const char *name : kSensorWidgets) {
            QWidget *w = child<QWidget>(name);
            if (auto *combo = qobject_cast<QComboBox *>(w)) {
                combo->setCurrentIndex((combo->currentIndex() + step) % combo->count());
            } else {
                auto *spin = qobject_cast<QSpinBox *>(w);
                const int span = spin->maximum() - spin->minimum() + 1;
                spin->setValue(spin->minimum() + (spin->value() - spin->minimum() + step + row) % span);
            }
            ++row;
        }
    }
    void trigger(const char *action) { child<QAction>(action)->trigger(); }
    QString title(const QString &name) const { return name + QStringLiteral("[*] - 激光雷达编辑器"); }
    // The files the File menu offers, in its order.
    QStringList recentShown()
    {
        QStringList shown;
        for (QAction *a : child<QMenu>("menuRecent")->actions())
            if (!a->isSeparator() && a->objectName() != QLatin1String("ClearRecent"))
                shown << a->text();
        return shown;
    }
    QByteArray firstLine(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readLine() : QByteArray();
    }

private slots:
    void init()
    {
        QSettings(QStringLiteral("Ostrelan"), QStringLiteral("Parameters")).remove(QStringLiteral("RecentProjects"));
        dir.reset(new QTemporaryDir);
        QVERIFY(dir->isValid());
        data.reset(new EditData);
        dialogs.reset(new ScriptedDialogs);
        window.reset(new MainWindow(data.get(), dialogs.get()));
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup()
    {
        data->Modified = false;
        window.reset();
        dialogs.reset();
        data.reset();
        dir.reset();
    }

    void saveThenOpenRestoresEverything()
    {
        for (int i = 0; i < EditData::AreaCount; ++i)
            data->Areas[i] = fullArea(i);
        changeSensorWidgets(1);
        const QVector<int> savedStates = sensorWidgetStates();
        const QVector<AreaRecord> savedAreas = data->Areas;
        data->Modified = true;

        save(path("plan"));
        QVERIFY(dialogs->boxes.isEmpty());
        QCOMPARE(dialogs->fileDialogCaptions.last(), QStringLiteral("保存配置文件"));
        QCOMPARE(dialogs->fileDialogFilters.last(), QStringLiteral("(*.VQ30)"));
        QVERIFY(!data->Modified);
        // The widgets are stored in file order, not just in some order that
        // reads back.
        QFile file(path("plan.VQ30"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.mid(0, 2), (QList<QByteArray>{"ZTL_VQ_30", "SensorSetting"}));
        for (int row = 0; row < savedStates.size(); ++row)
            QCOMPARE(lines.value(2 + row).toInt(), savedStates[row]);

        changeSensorWidgets(1);
        QVERIFY(sensorWidgetStates() != savedStates);
        for (AreaRecord &a : data->Areas)
            a = AreaRecord();
        data->CurrentArea = 7;
        dialogs->fileNames.enqueue(path("plan.VQ30"));
        child<QAction>("Open")->trigger();
        QVERIFY(dialogs->boxes.isEmpty());
        QCOMPARE(dialogs->fileDialogCaptions.last(), QStringLiteral("打开配置文件"));
        QCOMPARE(dialogs->fileDialogFilters.last(), QStringLiteral("(*.VQ30)"));
        QCOMPARE(sensorWidgetStates(), savedStates);
        for (int i = 0; i < EditData::AreaCount; ++i) {
            QVERIFY2(data->Areas[i] == savedAreas[i], qPrintable(QStringLiteral("area %1").arg(i)));
            QVERIFY(data->UndoHistory[i].last() == savedAreas[i]); // undo starts from the file
        }
        QVERIFY(data->Modified);
        // The editors show the area read.
        QCOMPARE(child<QComboBox>("Area_CloseDelay")->currentIndex(), savedAreas[7].CloseDelay);
        QCOMPARE(child<QTableWidget>("CoordTableWidgetOut3")->item(99, 1)->text(),
                 QString::number(savedAreas[7].Out3Points[99].x()));
    }

    // Save As writes under the new name and the window goes on with it: the
    // title names it and a plain Save writes there without asking.
    void saveAsGoesOnWithTheNewName()
    {
        QCOMPARE(window->windowTitle(), title(QStringLiteral("未命名")));
        data->Areas[3] = fullArea(3);
        data->Modified = true;
        save(path("first"));
        QCOMPARE(window->windowTitle(), title(QStringLiteral("first.VQ30")));
        QVERIFY(!window->isWindowModified());

        data->Areas[4] = fullArea(4);
        dialogs->fileNames.enqueue(path("second"));
        trigger("SaveAs");
        QCOMPARE(dialogs->fileDialogCaptions.last(), QStringLiteral("另存为"));
        QCOMPARE(window->windowTitle(), title(QStringLiteral("second.VQ30")));
        data->Areas[5] = fullArea(5);
        const int asked = dialogs->fileDialogCaptions.size();
        trigger("Save");
        QCOMPARE(dialogs->fileDialogCaptions.size(), asked);

        const QVector<AreaRecord> saved = data->Areas;
        for (const char *name : {"first.VQ30", "second.VQ30"}) {
            data->Areas = QVector<AreaRecord>(EditData::AreaCount);
            dialogs->fileNames.enqueue(path(QLatin1String(name)));
            trigger("Open");
            QCOMPARE(window->windowTitle(), title(QLatin1String(name)));
        }
        QVERIFY(data->Areas == saved);
        QVERIFY(window->isWindowModified()); // an open snapshots every area

        // A new project has no file: Save asks again, now in English.
        trigger("Laser30");
        QCOMPARE(window->windowTitle(), title(QStringLiteral("未命名")));
        QVERIFY(!window->isWindowModified());
        window->LanguageToEnglish();
        QCOMPARE(window->windowTitle(), title(QStringLiteral("Untitled")));
        trigger("Save");
        QCOMPARE(dialogs->fileDialogCaptions.last(), QStringLiteral("Save Config file"));
    }

    // The title's marker shows Modified after each kind of edit, and a save
    // clears it.
    void titleMarkerFollowsModified_data()
    {
        QTest::addColumn<QString>("edit");
        for (const char *edit : {"cell", "shape", "area parameter", "point dragged", "paste", "undo", "sensor dock"})
            QTest::newRow(edit) << edit;
    }
    void titleMarkerFollowsModified()
    {
        QFETCH(QString, edit);
        QVERIFY(!window->isWindowModified());
        if (edit == QLatin1String("cell"))
            QVERIFY(WidgetDriving::editCell(child<QTableWidget>("CoordTableWidgetOut1"), 0, 1, "700"));
        else if (edit == QLatin1String("shape"))
            QTest::mouseClick(child<QWidget>("ButtonArcOut1"), Qt::LeftButton);
        else if (edit == QLatin1String("area parameter"))
            WidgetDriving::choose(child<QComboBox>("Area_Hysteresis"), 4);
        else if (edit == QLatin1String("point dragged"))
            emit child<ViewWindow>("graphicsView")->ReleasePointItem();
        else if (edit == QLatin1String("sensor dock")) {
            trigger("Laser30"); // a new project: the dock connects its widgets anew, after the window
            WidgetDriving::choose(child<QComboBox>("Para_CANBaudRate"), 2);
        }
        else
            trigger(edit == QLatin1String("paste") ? "Paste" : "Undo");
        QVERIFY(data->Modified);
        QTRY_VERIFY(window->isWindowModified());
        save(path("plan"));
        QVERIFY(!window->isWindowModified());
    }

    // Most recent first, each file once, at most eight; kept for the next
    // start; a file that is gone is said so and leaves the list.
    void recentProjects()
    {
        QVERIFY(!child<QMenu>("menuRecent")->isEnabled());
        for (int i = 0; i < 10; ++i) {
            dialogs->fileNames.enqueue(path(QStringLiteral("R&D %1").arg(i)));
            trigger("SaveAs");
        }
        dialogs->fileNames.enqueue(path("R&D 5.VQ30"));
        trigger("Open");
        trigger("Save"); // the first file again
        auto entries = [this](std::initializer_list<int> files) {
            QStringList out;
            for (int i : files)
                out << QStringLiteral("%1  %2").arg(out.size() + 1).arg( // "&&": an "&", not a shortcut
                    QDir::toNativeSeparators(path(QStringLiteral("R&&D %1.VQ30").arg(i))));
            return out;
        };
        QCOMPARE(recentShown(), entries({5, 9, 8, 7, 6, 4, 3, 2}));
        window.reset(new MainWindow(data.get(), dialogs.get()));
        QCOMPARE(recentShown(), entries({5, 9, 8, 7, 6, 4, 3, 2}));

        QVERIFY(QFile::remove(path("R&D 9.VQ30")));
        child<QMenu>("menuRecent")->actions().at(1)->trigger();
        QCOMPARE(dialogs->boxes.size(), 1);
        QCOMPARE(dialogs->boxes[0].text, QStringLiteral("文件已不存在：\n%1\n已从最近的工程中移除。")
                                             .arg(QDir::toNativeSeparators(path("R&D 9.VQ30"))));
        QCOMPARE(recentShown(), entries({5, 8, 7, 6, 4, 3, 2}));
        QCOMPARE(window->projectPath(), QString());

        child<QMenu>("menuRecent")->actions().at(2)->trigger();
        QCOMPARE(window->projectPath(), QDir::cleanPath(path("R&D 7.VQ30")));
        QCOMPARE(recentShown(), entries({7, 5, 8, 6, 4, 3, 2}));
        trigger("ClearRecent");
        QVERIFY(recentShown().isEmpty());
        QVERIFY(!child<QMenu>("menuRecent")->isEnabled());
        QVERIFY(QSettings(QStringLiteral("Ostrelan"), QStringLiteral("Parameters"))
                    .value(QStringLiteral("RecentProjects")).toStringList().isEmpty());
    }

    void nameExtension_data()
    {
        QTest::addColumn<int>("deviceClass");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("appended") << 3 << "plan" << "plan.VQ30";
        QTest::newRow("case-sensitive") << 3 << "plan.vq30" << "plan.vq30.VQ30";
        QTest::newRow("class 50, not again") << 4 << "plan.VQ50" << "plan.VQ50";
        QTest::newRow("class 05") << 0 << "plan" << "plan.VQ05";
    }
    void nameExtension()
    {
        QFETCH(int, deviceClass);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        chooseClass(deviceClass);
        save(path(typed));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{written});
        QCOMPARE(firstLine(path(written)).trimmed(),
                 QByteArray("ZTL_VQ_") + QByteArray("0510203050").mid(2 * deviceClass, 2));
    }

    void openfileTakesOnlyItsClassOpenProjectSwitches()
    {
        data->Areas[3] = fullArea(3);
        save(path("thirty")); // class 30
        chooseClass(4);
        const AreaRecord before = fullArea(40);
        data->Areas[3] = before;

        dialogs->fileNames.enqueue(path("thirty.VQ30"));
        child<QAction>("Open")->trigger();
        QCOMPARE(dialogs->fileDialogFilters.last(), QStringLiteral("(*.VQ50)"));
        QCOMPARE(dialogs->boxes.size(), 1);
        QCOMPARE(dialogs->boxes[0].icon, DialogSeam::Icon::Information);
        QCOMPARE(dialogs->boxes[0].title, QStringLiteral("错误"));
        QCOMPARE(dialogs->boxes[0].text, QStringLiteral("文件损坏"));
        QCOMPARE(dialogs->boxes[0].buttons, QStringList{QStringLiteral("OK")});
        QCOMPARE(window->deviceClass(), 4);
        QVERIFY(data->Areas[3] == before);
        // The refusal still refreshes and snapshots, as an open does.
        QVERIFY(data->Modified);
        QVERIFY(data->UndoHistory[3].last() == before);

        dialogs->fileNames.enqueue(path("thirty.VQ30"));
        invoke("OpenProject");
        QCOMPARE(dialogs->boxes.size(), 1);
        QCOMPARE(dialogs->fileDialogCaptions.last(), QStringLiteral("打开配置文件"));
        QCOMPARE(dialogs->fileDialogFilters.last(), QString());
        QCOMPARE(window->deviceClass(), 3);
        QCOMPARE(child<QSlider>("ZoomSlider")->minimum(), -55);
        QVERIFY(data->Areas[3] == fullArea(3));
    }

    void openFailures_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no such file
        QTest::addColumn<bool>("welcome");       // OpenProject instead of openfile
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("openfile, no file") << QByteArray() << false << "Document" << "No document";
        QTest::newRow("OpenProject, no file") << QByteArray() << true << QString() << QString();
        QTest::newRow("openfile, foreign type") << QByteArray("ZTL_VQ_60\nSensorSetting\n1\n") << false << "错误"
                                                << "文件损坏";
        QTest::newRow("OpenProject, foreign type") << QByteArray("ZTL_VQ_60\nSensorSetting\n1\n") << true << "错误"
                                                   << "文件损坏";
    }
    void openFailures()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, welcome);
        QFETCH(QString, title);
        QFETCH(QString, text);
        const QString file = path("broken.VQ30");
        if (!content.isEmpty()) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        chooseClass(2);
        data->Areas[0] = fullArea(0);
        const QVector<int> states = sensorWidgetStates();
        dialogs->fileNames.enqueue(file);
        if (welcome)
            invoke("OpenProject");
        else
            child<QAction>("Open")->trigger();
        QCOMPARE(dialogs->boxes.size(), title.isEmpty() ? 0 : 1);
        if (!title.isEmpty()) {
            QCOMPARE(dialogs->boxes[0].title, title);
            QCOMPARE(dialogs->boxes[0].text, text);
        }
        QCOMPARE(window->deviceClass(), 2);
        QVERIFY(data->Areas[0] == fullArea(0));
        QCOMPARE(sensorWidgetStates(), states);
    }

    void failedSaveIsReportedAndKeepsModified_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        // Root writes through permissions, so use paths nobody can write.
        QTest::newRow("folder missing") << "missing/plan" << "missing/plan.VQ30";
        QTest::newRow("a folder in place of the file") << "taken" << "taken.VQ30";
    }
    void failedSaveIsReportedAndKeepsModified()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("taken.VQ30")));
        data->Modified = true;
        save(path(typed));
        QCOMPARE(dialogs->boxes.size(), 1);
        const ScriptedDialogs::Box box = dialogs->boxes[0];
        QCOMPARE(box.icon, DialogSeam::Icon::Critical);
        QCOMPARE(box.title, QStringLiteral("错误"));
        QVERIFY2(box.text.contains(QDir::toNativeSeparators(path(written))), qPrintable(box.text));
        QVERIFY(box.text.count(QLatin1Char('\n')) >= 2 && !box.text.endsWith(QLatin1Char('\n'))); // a reason
        QVERIFY(data->Modified);
        QVERIFY(QFileInfo(path("taken.VQ30")).isDir());
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList());
    }

    void cancelledSaveChangesNothing()
    {
        data->Modified = true;
        child<QAction>("Save")->trigger(); // no name queued: cancelled
        QVERIFY(dialogs->boxes.isEmpty());
        QVERIFY(data->Modified);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList());
    }

    void saveReplacesAnOlderFile()
    {
        {
            QFile old(path("plan.VQ30"));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(20000, 'x'));
        }
        save(path("plan.VQ30"));
        QFile f(path("plan.VQ30"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("ZTL_VQ_30\nSensorSetting\n"));
        QVERIFY(bytes.endsWith("SOFTWARE VERSION 1.5.1\n"));
        QVERIFY(!bytes.contains('x'));
    }

    void deleteAllAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("deletes");
        QTest::newRow("yes") << 0 << true;
        QTest::newRow("no") << 1 << false;
        QTest::newRow("dismissed") << -1 << false;
    }
    void deleteAllAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(bool, deletes);
        for (int i = 0; i < EditData::AreaCount; ++i)
            data->Areas[i] = fullArea(i);
        AreaHistory(data.get()).saveAll(); // as if drawn by hand
        data->Modified = false;
        const QVector<AreaRecord> before = data->Areas;
        dialogs->answers.enqueue(answer);
        child<QAction>("DeleteAll")->trigger();
        QCOMPARE(dialogs->boxes.size(), 1);
        QCOMPARE(dialogs->boxes[0].icon, DialogSeam::Icon::Warning);
        QCOMPARE(dialogs->boxes[0].title, QStringLiteral("警告"));
        QCOMPARE(dialogs->boxes[0].buttons, (QStringList{QStringLiteral("是"), QStringLiteral("否")}));
        QCOMPARE(data->Modified, deletes);
        for (int i = 0; i < EditData::AreaCount; ++i)
            QVERIFY(data->Areas[i] == (deletes ? data->BlankArea : before[i]));
        if (!deletes)
            return;
        // Each area's own undo brings it back.
        for (int i : {0, 5}) {
            data->CurrentArea = i;
            child<QAction>("Undo")->trigger();
            QVERIFY(data->Areas[i] == before[i]);
        }
    }

    void pasteThenOneEditUndoesStepByStep()
    {
        QTableWidget *areas = child<QTableWidget>("AreaTableWidget");
        data->Areas[0] = fullArea(0);
        data->Areas[1] = fullArea(1);
        data->Areas[1].Hysteresis = 2;
        AreaHistory(data.get()).saveAll(); // as if drawn by hand
        WidgetDriving::clickRow(areas, 0);
        child<QAction>("Copy")->trigger();
        WidgetDriving::clickRow(areas, 1);
        const AreaRecord beforePaste = data->Areas[1];
        child<QAction>("Paste")->trigger();
        QVERIFY(data->Areas[1] == fullArea(0));
        WidgetDriving::choose(child<QComboBox>("Area_Hysteresis"), 7);
        QCOMPARE(data->Areas[1].Hysteresis, 7);

        child<QAction>("Undo")->trigger();
        QVERIFY(data->Areas[1] == fullArea(0));
        child<QAction>("Undo")->trigger();
        QVERIFY(data->Areas[1] == beforePaste);
    }

    void eachTableOperationIsOneUndoStep_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::newRow("cut") << "Cut";
        QTest::newRow("paste") << "Paste";
        QTest::newRow("delete") << "Delete";
    }
    void eachTableOperationIsOneUndoStep()
    {
        QFETCH(QString, operation);
        QTableWidget *areas = child<QTableWidget>("AreaTableWidget");
        data->Areas[2] = fullArea(2);
        data->Areas[4] = fullArea(4);
        AreaHistory(data.get()).saveAll(); // as if drawn by hand
        WidgetDriving::clickRow(areas, 2);
        child<QAction>("Copy")->trigger();
        WidgetDriving::clickRow(areas, 4);
        // One snapshotted edit before the operation.
        WidgetDriving::choose(child<QComboBox>("Area_OpenDelay"), 9);
        const AreaRecord before = data->Areas[4];
        child<QAction>(operation.toLatin1().constData())->trigger();
        const AreaRecord after = data->Areas[4];
        QVERIFY(after != before);

        child<QAction>("Undo")->trigger();
        QVERIFY(data->Areas[4] == before);
        child<QAction>("Redo")->trigger();
        QVERIFY(data->Areas[4] == after);
    }
};

QTEST_MAIN(TestMainWindowProject)
#include "tst_mainwindow_project.moc"
