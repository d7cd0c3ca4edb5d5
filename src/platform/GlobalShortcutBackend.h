#pragma once

#include <QObject>
#include <QString>

// One system-wide key combination, taken from the desktop: an X11 key grab, or the desktop portal's
// GlobalShortcuts on Wayland. Trovia holds at most one at a time.
class GlobalShortcutBackend : public QObject
{
    Q_OBJECT
public:
    enum class Outcome {
        Registered,  // works from now on
        Pending,     // the desktop answers later, through registrationFinished
        Refused,     // the desktop or another program holds the combination
        Unsupported, // this desktop offers no global shortcuts to Trovia
    };
    Q_ENUM(Outcome)

    struct Registration {
        Outcome outcome;
        QString detail; // why, when refused or unsupported (English, for the log)
    };

    using QObject::QObject;

    // virtualKeyCode and modifiers as the settings keep them (KeyCodes). Ends nothing by itself:
    // callers unregister the combination in force first.
    virtual Registration registerShortcut(quint16 virtualKeyCode, quint32 modifiers) = 0;
    virtual void unregisterShortcut() = 0;

Q_SIGNALS:
    // The combination was pressed (never for auto-repeat). xTimestamp is the X server time of the
    // press, or 0 when the press did not come from X (use a fresh server time then).
    void activated(quint32 xTimestamp);

    // The late answer to a registration that returned Pending (never Pending itself).
    void registrationFinished(GlobalShortcutBackend::Outcome outcome, const QString &detail);
};
