#include "launcher/TroviaApplication.h"

#include "core/ApplicationId.h"
#include "platform/x11/WindowActivation.h"

TroviaApplication::TroviaApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Trovia"));
    setApplicationDisplayName(QStringLiteral("Trovia"));
    setDesktopFileName(troviaApplicationId());
    // Hiding is not quitting: a closed alert may be the last visible window.
    setQuitOnLastWindowClosed(false);
    // Programs Trovia launches learn the time of the key press that launched them.
    WindowActivation::followUserTime();
}
