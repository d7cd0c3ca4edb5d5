#pragma once

#include "platform/GlobalShortcutBackend.h"

#include <QAbstractNativeEventFilter>
#include <array>
#include <optional>

struct xcb_connection_t;

// The hot key as a passive key grab on the root window. Trovia's press is recognised by a native
// event filter on the same connection, before Qt dispatches the event, and never reaches a window.
// Use Qt's own connection (QNativeInterface::QX11Application) so that the filter sees its events.
class X11HotKeyGrab : public GlobalShortcutBackend, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    // Installs the event filter on the application.
    explicit X11HotKeyGrab(xcb_connection_t *connection, QObject *parent = nullptr);
    ~X11HotKeyGrab() override;

    Registration registerShortcut(quint16 virtualKeyCode, quint32 modifiers) override;
    void unregisterShortcut() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    struct ModifierMasks {
        quint16 alt = 0;
        quint16 super = 0;
        quint16 numLock = 0;
    };
    struct Grab {
        quint8 keycode;
        quint16 modifiers;
        quint16 numLock;
        std::array<quint16, 4> variants() const;
    };

    ModifierMasks readModifierMasks() const;
    // The X modifier mask that Trovia's modifier bits stand for on this server.
    static quint16 xModifiersFor(quint32 modifiers, const ModifierMasks &masks);
    void ungrab(const Grab &grab);
    bool isKeyDown(quint8 keycode) const;

    xcb_connection_t *connection;
    quint32 root;
    std::optional<Grab> grab;
    bool keyDown = false; // from the hot key's press to its release; presses between are repeats
};
