#include "launcher/TroviaApplication.h"

#include "hotkey/HotKeyManager.h"
#include "launcher/Controller.h"
#include "platform/x11/WindowActivation.h"

TroviaApplication::TroviaApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Trovia"));
    setApplicationDisplayName(QStringLiteral("Trovia"));
    setDesktopFileName(QStringLiteral("trovia"));
    // Hiding is not quitting: a closed alert may be the last visible window.
    setQuitOnLastWindowClosed(false);
    // Programs Trovia launches learn the time of the key press that launched them.
    WindowActivation::followUserTime();
}

void TroviaApplication::setController(Controller *newController)
{
    controller = newController;
    connect(&HotKeyManager::sharedManager(), &HotKeyManager::hotKeyPressed, this,
            &TroviaApplication::hotKeyPressed, Qt::UniqueConnection);
}

void TroviaApplication::hotKeyPressed(quint32 timestamp)
{
    if (controller)
        controller->toggle(timestamp);
}

void TroviaApplication::toggleRequested(const QByteArray &token)
{
    if (!controller)
        return;
    // A startup ID carries the time of the user's request; without one the server's time now
    // stands for it.
    controller->toggle(WindowActivation::timestampFromStartupId(token));
    WindowActivation::completeStartup(token);
}
