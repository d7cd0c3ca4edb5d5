#include "launcher/TroviaApplication.h"

TroviaApplication::TroviaApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Trovia"));
    setApplicationDisplayName(QStringLiteral("Trovia"));
    setDesktopFileName(QStringLiteral("trovia"));
    // Hiding is not quitting: a closed alert may be the last visible window.
    setQuitOnLastWindowClosed(false);
}
