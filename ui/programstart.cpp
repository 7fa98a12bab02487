#include "ui/programstart.h"

#include "ui/controls/pictures.h"
#include "ui/model/screens.h"

#include <QApplication>

void startProgram()
{
    QApplication::setApplicationName(QStringLiteral("Rankwright Assistant"));
    QApplication::setApplicationVersion(QStringLiteral("5.0"));
    QApplication::setDesktopFileName(QStringLiteral("rankwright-assistant"));
    // The program ends only through the main menu, never because its windows are all hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(pictureIcon(Picture::Emblem));

    Screens::show(ScreenId::Splash);
}
