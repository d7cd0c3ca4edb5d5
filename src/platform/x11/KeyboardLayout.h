#pragma once

#include <QString>
#include <memory>

struct xkb_context;
struct xkb_keymap;
struct xcb_connection_t;

// Characters that stand for keys which type none, as the hot key's naming expects them.
namespace FunctionKeyCharacter
{
constexpr char16_t UpArrow = 0xF700;
constexpr char16_t DownArrow = 0xF701;
constexpr char16_t LeftArrow = 0xF702;
constexpr char16_t RightArrow = 0xF703;
constexpr char16_t F1 = 0xF704; // F2 to F15 follow in order
constexpr char16_t F15 = 0xF712;
constexpr char16_t Delete = 0xF728; // forward delete
constexpr char16_t Home = 0xF729;
constexpr char16_t End = 0xF72B;
constexpr char16_t PageUp = 0xF72C;
constexpr char16_t PageDown = 0xF72D;
constexpr char16_t ClearLine = 0xF739;
constexpr char16_t Help = 0xF746;
} // namespace FunctionKeyCharacter

// A keyboard layout compiled by xkbcommon: what each key types with no modifier held.
class KeyboardLayout
{
public:
    // The layout the session types with: the X server's keymap and its current group when the
    // application runs on X, else the default rules (as the XKB_DEFAULT_* variables set them).
    static std::unique_ptr<KeyboardLayout> current();
    static std::unique_ptr<KeyboardLayout> fromDefaultRules();
    // Nothing when the server's keymap cannot be read.
    static std::unique_ptr<KeyboardLayout> fromX11(xcb_connection_t *connection);

    ~KeyboardLayout();
    KeyboardLayout(const KeyboardLayout &) = delete;
    KeyboardLayout &operator=(const KeyboardLayout &) = delete;

    // What the key types with no modifier: its text, or for keys that type none (arrows, function
    // keys, Home, Insert, ...) one FunctionKeyCharacter. Empty when the key gives nothing.
    // Backspace gives U+007F. Keypad keys give what they type with Num Lock on.
    QString charactersForKeyCode(quint16 virtualKeyCode) const;

    // The X keysym name of the key with no modifier ("Escape", "a"), as shortcut descriptions use
    // it; empty when the key has none.
    QString keysymName(quint16 virtualKeyCode) const;

private:
    KeyboardLayout(xkb_context *context, xkb_keymap *keymap, unsigned group);
    unsigned levelZeroKeysym(quint16 virtualKeyCode) const;

    xkb_context *context;
    xkb_keymap *keymap;
    unsigned group;
};
