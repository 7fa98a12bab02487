#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What the command line and the environment ask of a start. The program takes no options of its own
// that change what it does: only --help and --version, and Qt's own (-platform, -style, ...).
struct StartRequest
{
    enum class Action {
        Run,      // start the program
        Print,    // print `text` on standard output and end with status 0 (--help, --version)
        Misuse,   // print `text` on standard error and end with status 2 (unknown option, an argument)
        NoDisplay // print `text` on standard error and end with status 1 (no graphical session)
    };
    Action action = Action::Run;
    QString text;
    // Run: the platform to start on, handed to Qt as -platform; empty for Qt's own choice.
    QByteArray platform;
};

// Reads `arguments` (the program's name first) and the environment.
StartRequest readStartRequest(const QStringList &arguments, const QProcessEnvironment &environment);

// The platform to start on when the user has chosen none (QT_QPA_PLATFORM unset, no -platform): where an
// X server is offered (DISPLAY, also under Wayland with XWayland), X, so that windows open centred as
// the program places them, which a Wayland compositor does not allow; on a Wayland-only session,
// Wayland. Empty when the user has chosen, or when there is no display at all.
QByteArray chosenPlatform(const QProcessEnvironment &environment, bool platformOptionGiven);

// Sets the application up as the program runs (names, icon, window model) and shows the splash. Called
// by main() once the QApplication exists; the start-up benchmark starts the program through it too.
void startProgram();
