#include "ui/programstart.h"

#include "ui/controls/pictures.h"
#include "ui/model/screens.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

constexpr auto ProgramName = "rankwright-assistant"_L1;

// Qt's own options, which QApplication takes from the command line itself: accepted, not shown in
// the help (the manual page names them).
const QStringList QtOptionsWithValue{u"platform"_s,
                                     u"platformpluginpath"_s,
                                     u"platformtheme"_s,
                                     u"plugin"_s,
                                     u"qwindowgeometry"_s,
                                     u"qwindowicon"_s,
                                     u"qwindowtitle"_s,
                                     u"session"_s,
                                     u"display"_s,
                                     u"geometry"_s,
                                     u"title"_s,
                                     u"icon"_s,
                                     u"name"_s,
                                     u"style"_s,
                                     u"stylesheet"_s,
                                     u"qmljsdebugger"_s};
const QStringList QtFlags{u"reverse"_s, u"widgetcount"_s, u"nograb"_s, u"dograb"_s, u"sync"_s};

QString misuse(const QString &problem)
{
    return u"%1: %2 Try '%1 --help' for more information.\n"_s.arg(ProgramName, problem);
}

bool isSet(const QProcessEnvironment &environment, const QString &name)
{
    return !environment.value(name).isEmpty();
}

} // namespace

QByteArray chosenPlatform(const QProcessEnvironment &environment, bool platformOptionGiven)
{
    if (platformOptionGiven || isSet(environment, u"QT_QPA_PLATFORM"_s))
        return {};
    if (isSet(environment, u"DISPLAY"_s))
        return "xcb";
    if (isSet(environment, u"WAYLAND_DISPLAY"_s))
        return "wayland";
    return {};
}

StartRequest readStartRequest(const QStringList &arguments, const QProcessEnvironment &environment)
{
    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform, -style).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        u"A desktop wizard that builds a gateway page: one HTML page written to rank for one search phrase in "
        "one chosen search engine. It takes no arguments; everything is entered in its windows."_s);
    const QCommandLineOption help({u"h"_s, u"help"_s}, u"Displays this help and exits."_s);
    const QCommandLineOption version({u"v"_s, u"version"_s}, u"Displays the version and exits."_s);
    QCommandLineOption helpAll(u"help-all"_s, u"Displays this help and exits."_s);
    helpAll.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(helpAll);
    for (const QString &name : QtOptionsWithValue) {
        QCommandLineOption option(name, QString(), u"value"_s);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const QString &name : QtFlags) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    StartRequest request;
    if (!parser.parse(arguments)) {
        request.action = StartRequest::Action::Misuse;
        request.text = misuse(parser.errorText());
        return request;
    }
    if (parser.isSet(help) || parser.isSet(helpAll)) {
        request.action = StartRequest::Action::Print;
        // The usage line names the program as it is installed, however it was started.
        QString text = parser.helpText();
        const qsizetype usageEnd = text.indexOf(u'\n');
        text.replace(0, usageEnd, u"Usage: %1 [options]"_s.arg(ProgramName));
        request.text =
            text + u"\nQt's own options (-platform, -style, ...) are accepted too; see %1(1).\n"_s.arg(ProgramName);
        return request;
    }
    if (parser.isSet(version)) {
        request.action = StartRequest::Action::Print;
        request.text = u"Rankwright Assistant 5.0\n"_s;
        return request;
    }
    if (!parser.positionalArguments().isEmpty()) {
        request.action = StartRequest::Action::Misuse;
        request.text = misuse(u"Unexpected argument '%1'."_s.arg(parser.positionalArguments().constFirst()));
        return request;
    }
    const bool platformGiven = parser.isSet(u"platform"_s);
    if (!platformGiven && !isSet(environment, u"QT_QPA_PLATFORM"_s) && !isSet(environment, u"DISPLAY"_s) &&
        !isSet(environment, u"WAYLAND_DISPLAY"_s)) {
        request.action = StartRequest::Action::NoDisplay;
        request.text =
            u"%1: needs a graphical session, but neither DISPLAY nor WAYLAND_DISPLAY is set.\n"_s.arg(ProgramName);
        return request;
    }
    request.platform = chosenPlatform(environment, platformGiven);
    return request;
}

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
