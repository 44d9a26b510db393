// The window's persisted settings: what a stored value starts the window in,
// what the next close writes back, and the docks a stored state cannot hide
// or show. Every test program keeps its settings in a folder of its own.

#include "mainwindow.h"
#include "scripteddialogs.h"

#include <QAction>
#include <QDockWidget>
#include <QSettings>
#include <QtTest>

class TestMainWindowSettings : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        QSettings(QStringLiteral("Ostrelan"), QStringLiteral("Parameters")).clear();
        LinkState::instance() = LinkState();
    }

    void storedValuesAndWhatTheNextCloseWrites_data()
    {
        QTest::addColumn<QVariant>("language");
        QTest::addColumn<QVariant>("mode");
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("display");
        QTest::addColumn<QVariant>("intrusionsStored");
        QTest::addColumn<bool>("intrusions");
        QTest::newRow("nothing stored") << QVariant() << QVariant() << 0 << 0 << QVariant() << false;
        QTest::newRow("English, line, intrusions") << QVariant(1) << QVariant(2) << 1 << 2 << QVariant(true) << true;
        QTest::newRow("Chinese, cloud") << QVariant(0) << QVariant(1) << 0 << 1 << QVariant(false) << false;
        QTest::newRow("language 2, mode 7") << QVariant(2) << QVariant(7) << 0 << 0 << QVariant() << false;
        QTest::newRow("text values") << QVariant("x") << QVariant("y") << 0 << 0 << QVariant("false") << false;
    }
    void storedValuesAndWhatTheNextCloseWrites()
    {
        QFETCH(QVariant, language);
        QFETCH(QVariant, mode);
        QFETCH(int, flag);
        QFETCH(int, display);
        QFETCH(QVariant, intrusionsStored);
        QFETCH(bool, intrusions);
        {
            QSettings s(QStringLiteral("Ostrelan"), QStringLiteral("Parameters"));
            if (language.isValid())
                s.setValue(QStringLiteral("Language"), language);
            if (mode.isValid())
                s.setValue(QStringLiteral("SaveDispMpde"), mode);
            if (intrusionsStored.isValid())
                s.setValue(QStringLiteral("ShowIntrusions"), intrusionsStored);
        }
        EditData data;
        ScriptedDialogs dialogs;
        MainWindow window(&data, &dialogs);
        QCOMPARE(window.languageFlag(), flag);
        QCOMPARE(window.displayMode(), display);
        const char *const actions[] = {"DispGraph", "DispCloud", "DispLine"};
        QVERIFY(window.findChild<QAction *>(QLatin1String(actions[display]))->isChecked());
        QCOMPARE(window.findChild<QAction *>(QStringLiteral("DispIntrusions"))->isChecked(), intrusions);
        QVERIFY(window.close());

        const QSettings s(QStringLiteral("Ostrelan"), QStringLiteral("Parameters"));
        QCOMPARE(s.value(QStringLiteral("Language")).toInt(), flag);
        QCOMPARE(s.value(QStringLiteral("SaveDispMpde")).toInt(), display);
        QCOMPARE(s.value(QStringLiteral("ShowIntrusions")).toBool(), intrusions);
        for (const char *key : {"geometry", "windowState", "splitterSizes", "splitterSizes2"})
            QVERIFY2(!s.value(QLatin1String(key)).toByteArray().isEmpty(), key);
    }

    // The stored state brings back docks and geometry, but the edit and
    // sensor docks are shown and the data table hidden whatever it says.
    void storedStateCannotHideTheEditDockOrShowTheDataTable()
    {
        QByteArray state;
        {
            EditData data;
            ScriptedDialogs dialogs;
            MainWindow window(&data, &dialogs);
            window.show();
            window.findChild<QDockWidget *>(QStringLiteral("DataTableDock"))->show();
            window.findChild<QDockWidget *>(QStringLiteral("EditionControlDock"))->hide();
            window.findChild<QDockWidget *>(QStringLiteral("SelfCheckDock"))->show();
            window.resize(1111, 777);
            QVERIFY(window.close());
        }
        EditData data;
        ScriptedDialogs dialogs;
        MainWindow window(&data, &dialogs);
        window.show();
        QCOMPARE(window.size(), QSize(1111, 777));
        QVERIFY(window.findChild<QDockWidget *>(QStringLiteral("DataTableDock"))->isHidden());
        QVERIFY(!window.findChild<QDockWidget *>(QStringLiteral("EditionControlDock"))->isHidden());
        QVERIFY(!window.findChild<QDockWidget *>(QStringLiteral("SensorSettingDock"))->isHidden());
        QVERIFY(window.findChild<QDockWidget *>(QStringLiteral("SelfCheckDock"))->isHidden());
    }
};

QTEST_MAIN(TestMainWindowSettings)
#include "tst_mainwindow_settings.moc"
