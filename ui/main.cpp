#include "ui/programstart.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    startProgram();
    return app.exec();
}
