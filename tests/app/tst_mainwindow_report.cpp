// The window's fingerprint and its commissioning report: the status bar
// follows the configuration, the report goes through the file dialog of the
// seam and carries what the status bar shows, in the window's language.

#include "frames.h"
#include "mainwindow.h"
#include "scripteddialogs.h"
#include "serial_comm.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TestMainWindowReport : public QObject
{
    Q_OBJECT

    std::unique_ptr<EditData> data;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> window;

    template <typename T> T *child(const char *name)
    {
        T *w = window->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no widget %s", name);
        return w;
    }
    QString shown() { return child<QLabel>("FingerprintLabel")->text(); }
    void choose(const char *combo, int index)
    {
        QVERIFY(QMetaObject::invokeMethod(child<QComboBox>(combo), "activated", Q_ARG(int, index)));
    }

private slots:
    void init()
    {
        data.reset(new EditData);
        dialogs.reset(new ScriptedDialogs);
        window.reset(new MainWindow(data.get(), dialogs.get()));
        window->show();
    }
    void cleanup()
    {
        data->Modified = false;
        window.reset();
        dialogs.reset();
        data.reset();
    }

    // A function of what a download would send, so undoing an edit brings
    // the same one back; every language names it.
    void fingerprintFollowsTheConfiguration()
    {
        const QString first = shown();
        QVERIFY2(QRegularExpression(QStringLiteral("^配置指纹 [0-9a-f]{16}$")).match(first).hasMatch(), qPrintable(first));
        choose("Area_OpenDelay", 3);
        QTRY_VERIFY_WITH_TIMEOUT(shown() != first, 5000);
        choose("Area_OpenDelay", 0);
        QTRY_COMPARE_WITH_TIMEOUT(shown(), first, 5000);
        child<QComboBox>("Para_SensorInstallDir")->setCurrentIndex(1);
        QTRY_VERIFY_WITH_TIMEOUT(shown() != first, 5000);
        const QString reversed = shown();
        QVERIFY(QMetaObject::invokeMethod(window.get(), "LanguageToEnglish"));
        QCOMPARE(shown(), QStringLiteral("Fingerprint ") + reversed.section(QLatin1Char(' '), 1));

        // The product box names the project's fingerprint beside the scanner's identity.
        window->linkController()->receiveBytes(encodeProductReply(ProductInfo{9, 105, 4711, 2024, 8, 21}));
        QTRY_VERIFY_WITH_TIMEOUT(!dialogs->boxes.isEmpty(), 5000);
        QVERIFY2(dialogs->boxes.last().text.endsWith(QStringLiteral("\nProject Fingerprint:  ")
                                                      + reversed.section(QLatin1Char(' '), 1)),
                 qPrintable(dialogs->boxes.last().text));
    }

    void exportReport_data()
    {
        QTest::addColumn<QString>("name"); // in a temporary folder; empty: the dialog is cancelled
        QTest::addColumn<QString>("written"); // the file that must exist afterwards, or empty
        QTest::newRow("name without extension") << "report" << "report.pdf";
        QTest::newRow("cancelled") << "" << "";
        QTest::newRow("folder missing") << "none/report.pdf" << "";
    }

    void exportReport()
    {
        QFETCH(QString, name);
        QFETCH(QString, written);
        QTemporaryDir dir;
        const QString empty = shown();
        data->Areas[7].Out1Points = {QPoint(-1000, 500), QPoint(0, 3000), QPoint(1000, 500)};
        QVERIFY(QMetaObject::invokeMethod(window.get(), "showModified"));
        QTRY_VERIFY_WITH_TIMEOUT(shown() != empty, 5000);
        if (!name.isEmpty())
            dialogs->fileNames.enqueue(dir.filePath(name));
        child<QAction>("ExportReport")->trigger();
        const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(files, written.isEmpty() ? QStringList() : QStringList{written});
        if (written.isEmpty()) {
            // A failure is told; a cancelled dialog is not.
            QCOMPARE(dialogs->boxes.size(), name.isEmpty() ? 0 : 1);
            if (!name.isEmpty())
                QVERIFY(dialogs->boxes.at(0).icon == DialogSeam::Icon::Critical
                        && dialogs->boxes.at(0).text.startsWith(QStringLiteral("报告未能写入")));
            return;
        }
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {dir.filePath(written), QStringLiteral("-")});
        QVERIFY2(text.waitForFinished(30000) && text.exitCode() == 0, "pdftotext (poppler-utils) is needed");
        const QString pdf = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(pdf.contains(shown().section(QLatin1Char(' '), 1)) && pdf.contains(QStringLiteral("区域 7")),
                 qPrintable(pdf));
        QVERIFY(pdf.contains(QStringLiteral("(未保存为文件)")));
    }
};

QTEST_MAIN(TestMainWindowReport)
#include "tst_mainwindow_report.moc"
