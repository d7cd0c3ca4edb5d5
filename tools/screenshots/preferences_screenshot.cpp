// Shows the Preferences window as a first run sees it and saves a picture of it with its window
// frame. Run under tests/with-x-session --wm; QT_SCALE_FACTOR=2 gives the 2x picture, LANG (or
// LANGUAGE) the language.
//   preferences-screenshot <picture.png>
#include "core/ColorPresets.h"
#include "core/ExcludedLocations.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "core/Translations.h"
#include "hotkey/HotKeyManager.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11HotKeyGrab.h"
#include "platform/x11/XkbKeymap.h"
#include "platform/xdg/DBusNotifications.h"
#include "platform/xdg/GioApplicationRegistry.h"
#include "platform/xdg/LoginItems.h"
#include "preferences/PreferencesController.h"
#include "preferences/PreferencesWindow.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    QApplication application(argc, argv);
    if (argc != 2) {
        qWarning("usage: preferences-screenshot <picture.png>");
        return 2;
    }
    // The translations built beside the program.
    Translations::install(application, QCoreApplication::applicationDirPath() +
                                           QStringLiteral("/../../translations"));
    Settings settings(home.filePath(QStringLiteral("config/Trovia/Trovia.conf")));
    ColorPresets::initialize(settings);
    // A user who already left out a few places, so that the table shows what it is for.
    settings.setValue(ExcludedLocationsKey,
                      QStringList{QStringLiteral("/usr/share/applications/xterm.desktop"),
                                  QStringLiteral("/opt/old-tools")});
    XkbKeyboardLayout keyboardLayout;
    DBusNotifications notifications;
    HotKeyManager hotKeys(settings, std::make_unique<X11HotKeyGrab>(X11::qtConnection()),
                          keyboardLayout, notifications);
    ExcludedLocations excludedLocations(settings);
    ASLoginItems loginItems(home.filePath(QStringLiteral("config/autostart")));
    GioApplicationRegistry registry;
    PreferencesController controller(settings, hotKeys, excludedLocations, loginItems, registry);
    controller.showWindow();
    PreferencesWindow *window = controller.window();
    if (!window || !QTest::qWaitForWindowExposed(window) || !QTest::qWaitForWindowActive(window))
        return 1;
    // The window manager has framed the window once its frame is larger than the window.
    if (!QTest::qWaitFor([&] { return window->frameGeometry() != window->geometry(); }, 5000))
        qWarning("preferences-screenshot: no window frame; is a window manager running?");
    // The frame's own drawing is the window manager's: give it a moment to finish.
    QTest::qWait(300);

    const QRect frame = window->frameGeometry();
    const QPixmap picture =
        window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    return picture.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
