#pragma once

#include <QString>
#include <QVector>
#include <optional>

// Trovia keeps its hot key as a virtual key code (53 is Escape) and a set of modifier bits, the
// values stored in the settings. These tables tie each virtual key code to the X keycode of the
// same physical key of a full-size US keyboard (X keycode = evdev code + 8), in both directions, so
// that a stored hot key can be grabbed and a key pressed in the Preferences can be stored.
namespace KeyCodes
{

// Modifier bits as stored under "Hot Key Modifiers".
enum ModifierBit : quint32 {
    SuperModifier = 0x100,
    ShiftModifier = 0x200,
    AltModifier = 0x800,
    ControlModifier = 0x1000,
};
constexpr quint32 AllModifiers = SuperModifier | ShiftModifier | AltModifier | ControlModifier;

// Virtual key codes that the rest of Trovia refers to by name.
enum VirtualKey : quint16 {
    ReturnKey = 0x24,
    TabKey = 0x30,
    SpaceKey = 0x31,
    DeleteKey = 0x33, // backspace
    EscapeKey = 0x35,
    KeypadClearKey = 0x47,
    KeypadEnterKey = 0x4C,
    F1Key = 0x7A,
};

// The X keycode of the key, or nothing for a code no key of the keyboard has.
std::optional<quint8> xKeycodeForVirtualKey(quint16 virtualKeyCode);

// The virtual key code of an X keycode (e.g. QKeyEvent::nativeScanCode()), or nothing.
std::optional<quint16> virtualKeyForXKeycode(quint32 xKeycode);

// Every (virtual key code, X keycode) pair of the table, in virtual key order.
struct KeyPair {
    quint16 virtualKeyCode;
    quint8 xKeycode;
};
QVector<KeyPair> keyTable();

// How one writer names the modifiers: desktops' settings ("Ctrl"), the portal's triggers ("CTRL").
struct ModifierNames {
    const char *control;
    const char *alt;
    const char *shift;
    const char *super;
};

// The combination as "<modifiers>+<key>", the modifiers in the order Ctrl, Alt, Shift, Super.
QString combinationText(quint32 modifierBits, const QString &key, const ModifierNames &names);

} // namespace KeyCodes
