// For screenshots of a connection: the window connected over TCP to a real
// emulator, after its read-all. Not run by ctest; run it through
// scripts/screenshot (QM_SCREENSHOT_CMD), which isolates the network.

#include "emulatorprocess.h"
#include "mainwindow.h"
#include "serial_comm.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Emulator emulator;
    if (!emulator.start({QStringLiteral("-q"), QStringLiteral("--inputs"), QStringLiteral("5")}))
        return 1;
    MainWindow window;
    window.show();
    window.connectEthernet(QStringLiteral("127.0.0.1"), emulator.port);
    if (argc > 1) // ask for the product information as well
        QTimer::singleShot(2000, window.linkController(), &SERIAL_COMM::SensorInformationSlots);
    return app.exec();
}
