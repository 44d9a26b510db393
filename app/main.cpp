#include "create.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    // After the main window, so the welcome dialog stands on top of it.
    window.welcomeDialog()->show();
    return app.exec();
}
