#include "Controller.h"
#include "GioApplicationRegistry.h"
#include "QuitSignals.h"
#include "SingleInstance.h"
#include "TroviaApplication.h"
#include "WindowActivation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <vector>

namespace
{

struct Options {
    bool toggle = false;
    bool hidden = false;
};

// Without an application object Qt cannot name the program in its help.
QString usage(const QCommandLineParser &parser)
{
    return parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("trovia"));
}

// Parsed before any application object exists: a second start needs no display.
int parseOptions(int argc, char **argv, Options *options)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Trovia, a keyboard application launcher."));
    const QCommandLineOption toggle(
        QStringLiteral("toggle"),
        QStringLiteral(
            "Show Trovia, or hide it when it is shown (starts it when it is not running)."));
    const QCommandLineOption hidden(QStringLiteral("hidden"),
                                    QStringLiteral("Start without showing the window."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    // Qt's own options (-platform, -display, ...) are for the application object.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOptions({toggle, hidden, help});
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        static const QStringList qtOptions = {QStringLiteral("platform"), QStringLiteral("display"),
                                              QStringLiteral("style"),
                                              QStringLiteral("qwindowgeometry")};
        for (const QString &name : unknown) {
            if (!qtOptions.contains(name)) {
                std::fprintf(stderr, "trovia: %s\n%s", qPrintable(parser.errorText()),
                             qPrintable(usage(parser)));
                return 2;
            }
        }
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(usage(parser)), stdout);
        return 0;
    }
    options->toggle = parser.isSet(toggle);
    options->hidden = parser.isSet(hidden);
    return -1;
}

// Under Wayland Trovia runs through XWayland, where it can place its windows. The choice is passed
// as an argument, not through the environment, so that launched programs do not inherit it.
std::vector<char *> argumentsWithPlatform(int argc, char **argv)
{
    std::vector<char *> arguments(argv, argv + argc);
    bool platformGiven = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i)
        platformGiven = platformGiven || qstrcmp(argv[i], "-platform") == 0 ||
                        qstrcmp(argv[i], "--platform") == 0;
    if (!platformGiven && qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) {
        static char platform[] = "-platform", xcb[] = "xcb";
        arguments.insert(arguments.begin() + 1, {platform, xcb});
    }
    arguments.push_back(nullptr);
    return arguments;
}

} // namespace

int main(int argc, char *argv[])
{
    Options options;
    if (const int status = parseOptions(argc, argv, &options); status >= 0)
        return status;

    SingleInstance instance;
    if (!instance.acquire()) {
        // Trovia runs already: a plain or --toggle start toggles it; an autostart does nothing.
        if (options.hidden)
            return 0;
        QCoreApplication requester(argc, argv);
        if (!SingleInstance::requestToggle(SingleInstance::activationTokenFromEnvironment())) {
            std::fprintf(stderr, "trovia: Trovia is running but does not answer.\n");
            return 1;
        }
        return 0;
    }

    // Qt takes DESKTOP_STARTUP_ID for its first window; Trovia hands it over itself.
    const QByteArray startupId = SingleInstance::activationTokenFromEnvironment();
    qunsetenv("DESKTOP_STARTUP_ID");
    qunsetenv("XDG_ACTIVATION_TOKEN");

    std::vector<char *> arguments = argumentsWithPlatform(argc, argv);
    int argumentCount = int(arguments.size()) - 1;
    TroviaApplication application(argumentCount, arguments.data());
    instance.listen();

    QuitSignals quitSignals;
    quitSignals.install();
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &application, &QApplication::quit);

    GioApplicationRegistry registry;
    Controller controller(registry);
    application.setController(&controller);
    QObject::connect(&instance, &SingleInstance::toggleRequested, &application,
                     &TroviaApplication::toggleRequested);
    QObject::connect(&controller, &Controller::quitRequested, &application, &QApplication::quit);
    // Every way out saves the window's place: Quit, the signals, and the end of the session.
    QObject::connect(&application, &QApplication::aboutToQuit, &controller,
                     &Controller::applicationWillTerminate);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &controller,
                     &Controller::applicationWillTerminate);

    controller.applicationDidFinishLaunching(options.hidden,
                                             WindowActivation::timestampFromStartupId(startupId));
    WindowActivation::completeStartup(startupId);
    return application.exec();
}
