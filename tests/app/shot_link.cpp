// For screenshots of connecting. Not run by ctest; run it through
// scripts/screenshot (QM_SCREENSHOT_CMD), which isolates the network.
//   shot_link                 the window connected over TCP to a real emulator
//                             after its read-all, self-check dock open
//   shot_link info            the same, then the product information box
//   shot_link welcome|serial|ethernet [en]
//                             the window with that dialog over it

#include "create.h"
#include "emulatorprocess.h"
#include "ethnertsetting.h"
#include "mainwindow.h"
#include "quitonterm.h"
#include "serial_comm.h"
#include "settingsdialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QuitOnTerm::install(app); // stops the emulator when the screenshot is taken
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const bool english = argc > 2 && QByteArray(argv[2]) == "en";
    Emulator emulator;
    if (!emulator.start({QStringLiteral("-q"), QStringLiteral("--inputs"), QStringLiteral("5"),
                         QStringLiteral("--status-bits"), QStringLiteral("33")}))
        return 1;
    MainWindow window;
    window.show();
    if (mode == QLatin1String("welcome")) {
        if (english)
            window.welcomeDialog()->LanguageDisplayEnglish();
        window.welcomeDialog()->show();
        window.welcomeDialog()->findChild<QComboBox *>(QStringLiteral("comboBox_Serial"))
            ->setEditText(emulator.pty);
    } else if (mode == QLatin1String("serial")) {
        window.serialSettingsDialog()->retranslate(english ? 1 : 0);
        window.findChild<QAction *>(QStringLiteral("SerialConnection"))->trigger();
        window.findChild<QAction *>(QStringLiteral("SerialSetting"))->trigger();
        window.serialSettingsDialog()->findChild<QComboBox *>(QStringLiteral("serialPortInfoListBox"))
            ->setEditText(emulator.pty);
    } else if (mode == QLatin1String("ethernet")) {
        window.ethernetDialog()->retranslate(english ? 1 : 0);
        window.findChild<QAction *>(QStringLiteral("EthernetConnection"))->trigger();
        window.findChild<QAction *>(QStringLiteral("EthnernetSetting"))->trigger();
        auto *box = window.ethernetDialog()->findChild<QComboBox *>(QStringLiteral("Eth_ComboBox"));
        box->addItem(QStringLiteral("127.0.0.1"));
    } else {
        window.connectEthernet(QStringLiteral("127.0.0.1"), emulator.port);
        window.findChild<QAction *>(QStringLiteral("SelfCheck"))->trigger();
        if (mode == QLatin1String("info"))
            QTimer::singleShot(2000, window.linkController(), &SERIAL_COMM::SensorInformationSlots);
    }
    return app.exec();
}
