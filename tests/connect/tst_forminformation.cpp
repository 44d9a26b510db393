#include "forminformation.h"

#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

class TestFormInformation : public QObject
{
    Q_OBJECT

private slots:
    // Lines arrive hidden or shown, in order; only the button clears them.
    void linesInOrderUntilCleared()
    {
        FormInformation form;
        auto *text = form.findChild<QTextEdit *>(QStringLiteral("textEdit"));
        QVERIFY(text);
        form.InformationAppend(QStringLiteral("IP地址绑定成功：10.0.0.1"));
        form.show();
        form.InformationAppend(QStringLiteral("HTTP/1.1 200 OK"));
        form.hide();
        form.show();
        QCOMPARE(text->toPlainText(), QStringLiteral("IP地址绑定成功：10.0.0.1\nHTTP/1.1 200 OK"));

        QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("pushButton")), Qt::LeftButton);
        QCOMPARE(text->toPlainText(), QString());
        form.InformationAppend(QStringLiteral("10.0.0.2"));
        QCOMPARE(text->toPlainText(), QStringLiteral("10.0.0.2"));
    }

    // Closing the main window ends the program even with the log open.
    // (Only a running application loop notices a last window.)
    void openLogDoesNotKeepTheProgram()
    {
        QWidget mainWindow;
        FormInformation form;
        mainWindow.show();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QSignalSpy last(qApp, &QGuiApplication::lastWindowClosed);
        QTimer::singleShot(0, &mainWindow, &QWidget::close);
        QTimer::singleShot(300, qApp, [] { QCoreApplication::exit(77); });
        QCoreApplication::exec();
        QCOMPARE(last.size(), 1);
    }
};

QTEST_MAIN(TestFormInformation)
#include "tst_forminformation.moc"
