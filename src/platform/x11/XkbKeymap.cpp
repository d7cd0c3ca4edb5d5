#include "platform/x11/XkbKeymap.h"

#include "core/KeyCodes.h"
#include "platform/x11/X11Connection.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

namespace
{

// Keys that type nothing but have a character of their own in the naming.
char16_t functionKeyCharacter(xkb_keysym_t keysym)
{
    using namespace FunctionKeyCharacter;
    if (keysym >= XKB_KEY_F1 && keysym <= XKB_KEY_F15)
        return char16_t(F1 + (keysym - XKB_KEY_F1));
    switch (keysym) {
    case XKB_KEY_Up:
        return UpArrow;
    case XKB_KEY_Down:
        return DownArrow;
    case XKB_KEY_Left:
        return LeftArrow;
    case XKB_KEY_Right:
        return RightArrow;
    // Print Screen, Scroll Lock and Pause are the keys at F13, F14 and F15.
    case XKB_KEY_Print:
        return char16_t(F1 + 12);
    case XKB_KEY_Scroll_Lock:
        return char16_t(F1 + 13);
    case XKB_KEY_Pause:
        return char16_t(F1 + 14);
    case XKB_KEY_Delete:
        return Delete;
    case XKB_KEY_Home:
        return Home;
    case XKB_KEY_End:
        return End;
    case XKB_KEY_Prior:
        return PageUp;
    case XKB_KEY_Next:
        return PageDown;
    case XKB_KEY_Clear:
    case XKB_KEY_Num_Lock: // the key at keypad Clear's place
        return ClearLine;
    case XKB_KEY_Insert:
    case XKB_KEY_Help:
        return Help;
    case XKB_KEY_BackSpace:
        return u'\x7f';
    default:
        return 0;
    }
}

// A dead key types nothing by itself; it is named by the accent it puts on the next letter.
char32_t deadKeyAccent(xkb_keysym_t keysym)
{
    switch (keysym) {
    case XKB_KEY_dead_grave:
        return U'`';
    case XKB_KEY_dead_acute:
        return U'\u00b4';
    case XKB_KEY_dead_circumflex:
        return U'^';
    case XKB_KEY_dead_tilde:
        return U'~';
    case XKB_KEY_dead_macron:
        return U'\u00af';
    case XKB_KEY_dead_breve:
        return U'\u02d8';
    case XKB_KEY_dead_abovedot:
        return U'\u02d9';
    case XKB_KEY_dead_diaeresis:
        return U'\u00a8';
    case XKB_KEY_dead_abovering:
        return U'\u02da';
    case XKB_KEY_dead_doubleacute:
        return U'\u02dd';
    case XKB_KEY_dead_caron:
        return U'\u02c7';
    case XKB_KEY_dead_cedilla:
        return U'\u00b8';
    case XKB_KEY_dead_ogonek:
        return U'\u02db';
    default:
        return 0;
    }
}

bool isKeypadKeysym(xkb_keysym_t keysym)
{
    return keysym >= XKB_KEY_KP_Space && keysym <= XKB_KEY_KP_Equal;
}

bool isPrintable(char32_t character)
{
    return character >= 0x20 && character != 0x7f;
}

QString fromUcs4(char32_t character)
{
    return QString::fromUcs4(&character, 1);
}

} // namespace

XkbKeymap::XkbKeymap(xkb_context *context_, xkb_keymap *keymap_, unsigned group_)
    : context(context_), keymap(keymap_), group(group_)
{
}

XkbKeymap::~XkbKeymap()
{
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
}

std::unique_ptr<XkbKeymap> XkbKeymap::current()
{
    if (xcb_connection_t *connection = X11::qtConnection()) {
        if (auto layout = fromX11(connection))
            return layout;
    }
    return fromDefaultRules();
}

std::unique_ptr<XkbKeymap> XkbKeymap::fromDefaultRules()
{
    xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!context)
        return nullptr;
    xkb_keymap *keymap = xkb_keymap_new_from_names(context, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap) {
        xkb_context_unref(context);
        return nullptr;
    }
    return std::unique_ptr<XkbKeymap>(new XkbKeymap(context, keymap, 0));
}

std::unique_ptr<XkbKeymap> XkbKeymap::fromX11(xcb_connection_t *connection)
{
    if (!connection || !xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION,
                                                    XKB_X11_MIN_MINOR_XKB_VERSION,
                                                    XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr,
                                                    nullptr, nullptr, nullptr))
        return nullptr;
    const int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
    if (device < 0)
        return nullptr;
    xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!context)
        return nullptr;
    xkb_keymap *keymap =
        xkb_x11_keymap_new_from_device(context, connection, device, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap) {
        xkb_context_unref(context);
        return nullptr;
    }
    // The group the user switched to is the layout in use now.
    unsigned group = 0;
    if (xkb_state *state = xkb_x11_state_new_from_device(keymap, connection, device)) {
        group = xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_EFFECTIVE);
        xkb_state_unref(state);
    }
    return std::unique_ptr<XkbKeymap>(new XkbKeymap(context, keymap, group));
}

unsigned XkbKeymap::levelZeroKeysym(quint16 virtualKeyCode) const
{
    const auto xKeycode = KeyCodes::xKeycodeForVirtualKey(virtualKeyCode);
    if (!xKeycode)
        return XKB_KEY_NoSymbol;
    const xkb_keysym_t *syms = nullptr;
    if (xkb_keymap_key_get_syms_by_level(keymap, *xKeycode, group, 0, &syms) < 1)
        return XKB_KEY_NoSymbol;
    return syms[0];
}

QString XkbKeymap::charactersForKeyCode(quint16 virtualKeyCode) const
{
    const xkb_keysym_t keysym = levelZeroKeysym(virtualKeyCode);
    if (keysym == XKB_KEY_NoSymbol)
        return {};

    // Keypad keys are named by what they type with Num Lock on ("7", not Home).
    if (isKeypadKeysym(keysym) && !isPrintable(xkb_keysym_to_utf32(keysym))) {
        const xkb_keycode_t xKeycode = *KeyCodes::xKeycodeForVirtualKey(virtualKeyCode);
        const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap, xKeycode, group);
        for (xkb_level_index_t level = 1; level < levels; ++level) {
            const xkb_keysym_t *syms = nullptr;
            if (xkb_keymap_key_get_syms_by_level(keymap, xKeycode, group, level, &syms) < 1)
                continue;
            const char32_t typed = xkb_keysym_to_utf32(syms[0]);
            if (isKeypadKeysym(syms[0]) && isPrintable(typed))
                return fromUcs4(typed);
        }
    }

    if (const char16_t function = functionKeyCharacter(keysym))
        return QString(QChar(function));
    if (const char32_t accent = deadKeyAccent(keysym))
        return fromUcs4(accent);
    if (const char32_t typed = xkb_keysym_to_utf32(keysym))
        return fromUcs4(typed);
    return {};
}

QString XkbKeymap::keysymName(quint16 virtualKeyCode) const
{
    const xkb_keysym_t keysym = levelZeroKeysym(virtualKeyCode);
    if (keysym == XKB_KEY_NoSymbol)
        return {};
    char name[64];
    if (xkb_keysym_get_name(keysym, name, sizeof name) <= 0)
        return {};
    return QString::fromLatin1(name);
}

QString XkbKeyboardLayout::charactersForKeyCode(quint16 virtualKeyCode) const
{
    const auto keymap = XkbKeymap::current();
    return keymap ? keymap->charactersForKeyCode(virtualKeyCode) : QString();
}
