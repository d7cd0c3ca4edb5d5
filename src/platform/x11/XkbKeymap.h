#pragma once

#include "platform/KeyboardLayout.h"

#include <QString>
#include <memory>

struct xkb_context;
struct xkb_keymap;
struct xcb_connection_t;

// A keyboard layout compiled by xkbcommon: what each key types with no modifier held.
class XkbKeymap
{
public:
    // The layout the session types with: the X server's keymap and its current group when the
    // application runs on X, else the default rules (as the XKB_DEFAULT_* variables set them).
    static std::unique_ptr<XkbKeymap> current();
    static std::unique_ptr<XkbKeymap> fromDefaultRules();
    // Nothing when the server's keymap cannot be read.
    static std::unique_ptr<XkbKeymap> fromX11(xcb_connection_t *connection);

    ~XkbKeymap();
    XkbKeymap(const XkbKeymap &) = delete;
    XkbKeymap &operator=(const XkbKeymap &) = delete;

    // What the key types with no modifier: its text, or for keys that type none (arrows, function
    // keys, Home, Insert, ...) one FunctionKeyCharacter. Empty when the key gives nothing.
    // Backspace gives U+007F. Keypad keys give what they type with Num Lock on.
    QString charactersForKeyCode(quint16 virtualKeyCode) const;

    // The X keysym name of the key with no modifier ("Escape", "a"), as shortcut descriptions use
    // it; empty when the key has none.
    QString keysymName(quint16 virtualKeyCode) const;

private:
    XkbKeymap(xkb_context *context, xkb_keymap *keymap, unsigned group);
    unsigned levelZeroKeysym(quint16 virtualKeyCode) const;

    xkb_context *context;
    xkb_keymap *keymap;
    unsigned group;
};

// The session's layout, compiled afresh at each call.
class XkbKeyboardLayout : public KeyboardLayout
{
public:
    QString charactersForKeyCode(quint16 virtualKeyCode) const override;
};
