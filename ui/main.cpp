#include "platform/xdgvariables.h"
#include "ui/programstart.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    // A relative XDG value is ignored by everything the program uses or starts: it goes before Qt
    // reads the environment.
    removeIgnoredXdgVariables();

    // The command line is read before any window system is asked for: --help, --version and a
    // mistake are answered without one, and a missing display is said plainly.
    StartRequest request;
    {
        const QCoreApplication reader(argc, argv);
        request = readStartRequest(QCoreApplication::arguments(), QProcessEnvironment::systemEnvironment());
    }
    switch (request.action) {
    case StartRequest::Action::Run:
        break;
    case StartRequest::Action::Print:
        std::fputs(request.text.toLocal8Bit().constData(), stdout);
        return 0;
    case StartRequest::Action::Misuse:
        std::fputs(request.text.toLocal8Bit().constData(), stderr);
        return 2;
    case StartRequest::Action::NoDisplay:
        std::fputs(request.text.toLocal8Bit().constData(), stderr);
        return 1;
    }

    // The platform the program chose goes to Qt as if given on the command line, so that it does not
    // reach the programs started from here (the browser) as QT_QPA_PLATFORM would.
    std::vector<char *> arguments(argv, argv + argc);
    QByteArray platformOption("-platform");
    QByteArray platform = request.platform;
    if (!platform.isEmpty()) {
        arguments.push_back(platformOption.data());
        arguments.push_back(platform.data());
    }
    arguments.push_back(nullptr);
    int count = int(arguments.size()) - 1;

    QApplication app(count, arguments.data());
    startProgram();
    return app.exec();
}
