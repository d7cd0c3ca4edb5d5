#include "catalogue/Catalogue.h"
#include "catalogue/UsageLogger.h"
#include "core/ExcludedLocations.h"
#include "core/Settings.h"
#include "core/Translations.h"
#include "hotkey/HotKeyManager.h"
#include "launcher/CommandLine.h"
#include "launcher/Controller.h"
#include "launcher/QuitSignals.h"
#include "launcher/SingleInstance.h"
#include "launcher/TroviaApplication.h"
#include "platform/portal/PortalGlobalShortcuts.h"
#include "platform/x11/WindowActivation.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11HotKeyGrab.h"
#include "platform/x11/X11WindowSystem.h"
#include "platform/x11/XkbKeymap.h"
#include "platform/xdg/DBusFileRevealer.h"
#include "platform/xdg/DBusNotifications.h"
#include "platform/xdg/GioApplicationLauncher.h"
#include "platform/xdg/GioApplicationRegistry.h"
#include "platform/xdg/LoginItems.h"

#include <QCoreApplication>
#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <vector>

namespace
{

// The global shortcuts of the session Trovia runs in: the portal where WAYLAND_DISPLAY is set,
// the X11 grab on Qt's own X connection otherwise; none on a platform with neither.
std::unique_ptr<GlobalShortcutBackend> shortcutsForSession()
{
    // Under Wayland Trovia runs through XWayland, where a grab only sees keys while an X window
    // has focus: the desktop has to hand the combination over.
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return std::make_unique<PortalGlobalShortcuts>(QDBusConnection::sessionBus());
    // Other platforms (offscreen) answer the X11 interface too, but with no connection.
    if (xcb_connection_t *connection = X11::qtConnection())
        return std::make_unique<X11HotKeyGrab>(connection);
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef __GLIBC__
    // One heap for every thread: the catalogue's worker would otherwise build in an arena of its
    // own, which the interface thread never reuses, so a build's garbage would add to the peak.
    mallopt(M_ARENA_MAX, 1);
#endif
    // The system log is one plain line per message, as the session journal keeps it; an explicit
    // QT_MESSAGE_PATTERN still takes precedence.
    qSetMessagePattern(QStringLiteral("%{message}"));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine options = CommandLine::parse(arguments);
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "trovia: %s\n%s", qPrintable(options.error),
                     qPrintable(options.usage));
        return 2;
    }
    if (options.help) {
        std::fputs(qPrintable(options.usage), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s\n", qPrintable(CommandLine::versionText()));
        return 0;
    }

    SingleInstance instance;
    if (!instance.acquire()) {
        // Trovia runs already: a plain or --toggle start toggles it; an autostart does nothing.
        if (options.hidden)
            return 0;
        QCoreApplication requester(argc, argv);
        if (!SingleInstance::requestToggle(SingleInstance::activationTokenFromEnvironment(), 5000,
                                           QDBusConnection::sessionBus(), options.toggle)) {
            std::fprintf(stderr, "trovia: Trovia is running but does not answer.\n");
            return 1;
        }
        return 0;
    }

    // Qt takes DESKTOP_STARTUP_ID for its first window; Trovia hands it over itself.
    const QByteArray startupId = SingleInstance::activationTokenFromEnvironment();
    qunsetenv("DESKTOP_STARTUP_ID");
    qunsetenv("XDG_ACTIVATION_TOKEN");

    // The application object keeps pointers into these for the whole run.
    std::vector<QByteArray> applicationArgumentBytes;
    for (const QString &argument :
         applicationArguments(arguments, QProcessEnvironment::systemEnvironment()))
        applicationArgumentBytes.push_back(argument.toLocal8Bit());
    std::vector<char *> applicationArgv;
    for (QByteArray &argument : applicationArgumentBytes)
        applicationArgv.push_back(argument.data());
    applicationArgv.push_back(nullptr);
    int argumentCount = int(applicationArgv.size()) - 1;
    TroviaApplication application(argumentCount, applicationArgv.data());
    // Programs Trovia launches learn the time of the key press that launched them.
    WindowActivation::followUserTime();
    Translations::install(application);
    instance.listen();

    QuitSignals quitSignals;
    quitSignals.install();
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &application, &QApplication::quit);

    // The services of the run, handed to whoever uses them. The hot key's registration ends before
    // the application object goes, while the display connection is still open.
    Settings settings(Settings::standardPath());
    UsageLogger usageLog(UsageLogger::defaultPlistPath());
    XkbKeyboardLayout keyboardLayout;
    DBusNotifications notifications;
    HotKeyManager hotKeys(settings, shortcutsForSession(), keyboardLayout, notifications);
    ExcludedLocations excludedLocations(settings);
    ASLoginItems loginItems;
    GioApplicationLauncher launcher;
    DBusFileRevealer revealer;
    X11WindowSystem windowSystem;
    GioApplicationRegistry registry;
    Controller controller(registry, {settings, usageLog, hotKeys, excludedLocations, loginItems,
                                     launcher, revealer, windowSystem});
    controller.catalogue().setSnapshotPath(CatalogueSnapshot::defaultPath());
    QObject::connect(&instance, &SingleInstance::toggleRequested, &controller,
                     &Controller::secondStartRequested);
    QObject::connect(&controller, &Controller::quitRequested, &application, &QApplication::quit);
    // Every way out saves the window's place: Quit, the signals, and the end of the session.
    QObject::connect(&application, &QApplication::aboutToQuit, &controller,
                     &Controller::applicationWillTerminate);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &controller,
                     &Controller::applicationWillTerminate);

    controller.applicationDidFinishLaunching(options.hidden,
                                             windowSystem.startupTimestamp(startupId));
    windowSystem.completeStartup(startupId);
    return application.exec();
}
