#include "launcher/TroviaApplication.h"

#include "core/ApplicationId.h"

TroviaApplication::TroviaApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Trovia"));
    setApplicationDisplayName(QStringLiteral("Trovia"));
    setDesktopFileName(troviaApplicationId());
    // Hiding is not quitting: a closed alert may be the last visible window.
    setQuitOnLastWindowClosed(false);
}
