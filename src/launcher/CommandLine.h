#pragma once

#include <QProcessEnvironment>
#include <QStringList>

// Trovia's command line: --toggle, --hidden, --help and --version, beside the options Qt's
// application object takes (-platform, -display, ...). Read before any application object exists,
// so that a second start needs no display.
struct CommandLine {
    bool toggle = false;
    bool hidden = false;
    bool help = false;
    bool version = false;
    QString error; // what is wrong with the arguments; empty when nothing is
    QString usage;

    static CommandLine parse(const QStringList &arguments);
    // "trovia <version>", the answer to --version.
    static QString versionText();
};

// The arguments for the application object. Under Wayland Trovia runs through XWayland, where it
// can place its windows: "-platform xcb" is added unless the arguments choose a platform, whatever
// QT_QPA_PLATFORM says. It is an argument, not QT_QPA_PLATFORM, so that launched programs get the
// user's environment unchanged.
QStringList applicationArguments(const QStringList &arguments,
                                 const QProcessEnvironment &environment);
