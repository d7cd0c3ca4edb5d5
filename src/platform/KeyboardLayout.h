#pragma once

#include <QString>

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

// The keyboard layout the session types with, as it is at each call (the user may switch it).
class KeyboardLayout
{
public:
    virtual ~KeyboardLayout() = default;

    // What the key (a virtual key code, as KeyCodes keeps them) types with no modifier: its text,
    // or for keys that type none (arrows, function keys, Home, Insert, ...) one
    // FunctionKeyCharacter. Empty when the key gives nothing or the layout cannot be read.
    virtual QString charactersForKeyCode(quint16 virtualKeyCode) const = 0;
};
