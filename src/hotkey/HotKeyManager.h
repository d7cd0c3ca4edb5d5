#pragma once

#include "platform/GlobalShortcutBackend.h"

#include <QObject>
#include <QString>
#include <memory>

class KeyboardLayout;
class Notifications;
class Settings;

// The one global hot key: registers the combination stored under "Hot Key Code" and
// "Hot Key Modifiers" with the desktop, reports its presses, and names keys for the Preferences.
// A combination the desktop refuses is never silent: a log line, registrationRefused, and, the
// first time this problem comes up for the combination on this desktop, a desktop notification,
// or refusalNotShown when no notification server answers.
class HotKeyManager : public QObject
{
    Q_OBJECT
public:
    enum class State {
        Unregistered,
        Registered,
        Pending,     // the desktop has yet to answer (Wayland portal)
        Refused,     // another program holds the combination, or it names no key
        Unsupported, // this desktop gives Trovia no global hot key
        Invalid,     // the stored key code is no key
    };
    Q_ENUM(State)

    // Over the settings that hold the combination and the problems already told; backend takes
    // the combination from the desktop (none where the desktop offers no global shortcuts),
    // layout names the keys, notifications tell a refusal. Only backend is owned.
    HotKeyManager(Settings &settings, std::unique_ptr<GlobalShortcutBackend> backend,
                  const KeyboardLayout &layout, Notifications &notifications,
                  QObject *parent = nullptr);
    // Ends the registration: the display connection must still be open.
    ~HotKeyManager() override;

    // Ends the registration in force, then registers the stored combination. On X the new one
    // works (or is refused) when this returns.
    void registerHotKey();
    void unregisterHotKey();

    State state() const { return currentState; }
    bool isRegistrationRefused() const
    {
        return currentState == State::Refused || currentState == State::Unsupported ||
               currentState == State::Invalid;
    }
    // What the user was told about the last refusal; empty unless refused.
    QString refusalMessage() const { return message; }
    // Notes that Trovia's own window told the user about the refusal in force, so that later
    // starts on this desktop only log it.
    void refusalTold();
    // "trovia --toggle" ran: the user has bound it to a key of this desktop, so a missing or
    // refused hot key is only logged and shown in the Preferences, now and at later starts.
    void toggledByUserBinding();
    bool isBoundByUser() const;

    // The X server time of the last press (0 when it did not come from X): the activation hands
    // it to the window manager so that the window may take focus.
    quint32 lastPressTimestamp() const { return pressTimestamp; }

    // The short name the Preferences show for a key ("esc", "F5", "A", an arrow), or an empty
    // string when the key cannot be named.
    QString nameForKey(quint16 virtualKeyCode) const;
    // What the current keyboard layout types for the key with no modifiers, or empty.
    QString charactersForKeyCode(quint16 virtualKeyCode) const;
    // "Ctrl+Alt+Escape": the combination as desktops write it in their settings and messages.
    QString nameForCombination(quint16 virtualKeyCode, quint32 modifiers) const;

    // Replaces the desktop service (tests); the registration in force ends first.
    void setBackend(std::unique_ptr<GlobalShortcutBackend> backend);

Q_SIGNALS:
    // The hot key was pressed (key press only, auto-repeat ignored).
    void hotKeyPressed(quint32 xTimestamp);
    // The stored combination could not be registered; message says so and what to do.
    void registrationRefused(const QString &message);
    // No notification server showed the refusal: Trovia's own window has to show it.
    void refusalNotShown(const QString &title, const QString &message);

private:
    void settle(GlobalShortcutBackend::Outcome outcome, const QString &detail);
    void settle(State state, const QString &detail);
    void tell(const QString &title);
    QString problemKey() const;

    Settings &settings;
    std::unique_ptr<GlobalShortcutBackend> backend;
    const KeyboardLayout &keyboardLayout;
    Notifications &notifications;
    State currentState = State::Unregistered;
    qint64 storedCode = 0; // the combination of the last registration, as stored
    quint32 storedModifiers = 0;
    QString message;
    quint32 pressTimestamp = 0;
    quint64 registrations = 0;
};
