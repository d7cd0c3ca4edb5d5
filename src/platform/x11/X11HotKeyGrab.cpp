#include "platform/x11/X11HotKeyGrab.h"

#include "core/KeyCodes.h"

#include <QCoreApplication>
#include <cstdlib>
#include <memory>
#include <vector>
#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace
{

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> owned(Reply *reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

// The root window of the screen DISPLAY names (":0.1" is screen 1).
xcb_window_t rootWindow(xcb_connection_t *connection)
{
    int displayNumber = 0;
    int screenNumber = 0;
    char *host = nullptr;
    if (!xcb_parse_display(nullptr, &host, &displayNumber, &screenNumber))
        screenNumber = 0;
    std::free(host);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 1; ++i)
        xcb_screen_next(&screens);
    return screens.data ? screens.data->root : xcb_window_t(XCB_WINDOW_NONE);
}

constexpr quint16 coreModifierBits = 0xff;

} // namespace

X11HotKeyGrab::X11HotKeyGrab(xcb_connection_t *connection_, QObject *parent)
    : GlobalShortcutBackend(parent), connection(connection_),
      root(connection_ ? rootWindow(connection_) : xcb_window_t(XCB_WINDOW_NONE))
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installNativeEventFilter(this);
}

X11HotKeyGrab::~X11HotKeyGrab()
{
    unregisterShortcut();
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

// Alt, Super and Num Lock sit on whichever of Mod1 to Mod5 the server's modifier map puts them.
X11HotKeyGrab::ModifierMasks X11HotKeyGrab::readModifierMasks() const
{
    ModifierMasks masks;
    const xcb_setup_t *setup = xcb_get_setup(connection);
    const auto modifierMap = owned(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    const auto keyboardMap = owned(xcb_get_keyboard_mapping_reply(
        connection,
        xcb_get_keyboard_mapping(connection, setup->min_keycode,
                                 quint8(setup->max_keycode - setup->min_keycode + 1)),
        nullptr));
    if (modifierMap && keyboardMap) {
        const int perModifier = modifierMap->keycodes_per_modifier;
        const int perKeycode = keyboardMap->keysyms_per_keycode;
        const xcb_keycode_t *keycodes = xcb_get_modifier_mapping_keycodes(modifierMap.get());
        const xcb_keysym_t *keysyms = xcb_get_keyboard_mapping_keysyms(keyboardMap.get());
        const int keysymCount = xcb_get_keyboard_mapping_keysyms_length(keyboardMap.get());
        // Rows 0 to 2 are Shift, Lock and Control; rows 3 to 7 are Mod1 to Mod5.
        for (int row = 3; row < 8; ++row) {
            const quint16 bit = quint16(1u << row);
            for (int k = 0; k < perModifier; ++k) {
                const xcb_keycode_t keycode = keycodes[row * perModifier + k];
                if (keycode < setup->min_keycode)
                    continue;
                const int first = (keycode - setup->min_keycode) * perKeycode;
                for (int s = first; s < first + perKeycode && s < keysymCount; ++s) {
                    switch (keysyms[s]) {
                    case XKB_KEY_Alt_L:
                    case XKB_KEY_Alt_R:
                        masks.alt |= bit;
                        break;
                    case XKB_KEY_Super_L:
                    case XKB_KEY_Super_R:
                        masks.super |= bit;
                        break;
                    case XKB_KEY_Num_Lock:
                        masks.numLock |= bit;
                        break;
                    default:
                        break;
                    }
                }
            }
        }
    }
    // The usual places, for a server whose map names neither.
    if (!masks.alt)
        masks.alt = XCB_MOD_MASK_1;
    if (!masks.super)
        masks.super = XCB_MOD_MASK_4;
    return masks;
}

quint16 X11HotKeyGrab::xModifiersFor(quint32 modifiers, const ModifierMasks &masks)
{
    quint16 x = 0;
    if (modifiers & KeyCodes::SuperModifier)
        x |= masks.super;
    if (modifiers & KeyCodes::ShiftModifier)
        x |= XCB_MOD_MASK_SHIFT;
    if (modifiers & KeyCodes::AltModifier)
        x |= masks.alt;
    if (modifiers & KeyCodes::ControlModifier)
        x |= XCB_MOD_MASK_CONTROL;
    return x;
}

// The same combination with Caps Lock and Num Lock in each state: a grab matches exact modifiers.
std::array<quint16, 4> X11HotKeyGrab::Grab::variants() const
{
    return {modifiers, quint16(modifiers | XCB_MOD_MASK_LOCK), quint16(modifiers | numLock),
            quint16(modifiers | XCB_MOD_MASK_LOCK | numLock)};
}

GlobalShortcutBackend::Registration X11HotKeyGrab::registerShortcut(quint16 virtualKeyCode,
                                                                    quint32 modifiers)
{
    if (!connection || root == XCB_WINDOW_NONE)
        return {Outcome::Unsupported, QStringLiteral("no X display")};
    const auto keycode = KeyCodes::xKeycodeForVirtualKey(virtualKeyCode);
    const xcb_setup_t *setup = xcb_get_setup(connection);
    if (!keycode || *keycode < setup->min_keycode || *keycode > setup->max_keycode)
        return {Outcome::Refused,
                QStringLiteral("key code %1 is no key of this keyboard").arg(virtualKeyCode)};

    const ModifierMasks masks = readModifierMasks();
    const Grab wanted{*keycode, xModifiersFor(modifiers, masks), masks.numLock};
    std::vector<xcb_void_cookie_t> cookies;
    for (const quint16 variant : wanted.variants())
        cookies.push_back(xcb_grab_key_checked(connection, 1, root, variant, wanted.keycode,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    // Every cookie is checked, so no error is left to reach the event queue.
    bool refused = false;
    for (const xcb_void_cookie_t cookie : cookies) {
        if (xcb_generic_error_t *error = xcb_request_check(connection, cookie)) {
            refused = true;
            std::free(error);
        }
    }
    if (refused) {
        // Release the variants that did succeed; another client's grabs are not ours to end.
        ungrab(wanted);
        return {Outcome::Refused, QStringLiteral("another X client holds the key combination")};
    }
    grab = wanted;
    keyDown = false;
    return {Outcome::Registered, {}};
}

void X11HotKeyGrab::ungrab(const Grab &old)
{
    for (const quint16 variant : old.variants())
        xcb_ungrab_key(connection, old.keycode, root, variant);
    xcb_flush(connection);
}

bool X11HotKeyGrab::isKeyDown(quint8 keycode) const
{
    const auto keymap =
        owned(xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr));
    return keymap && (keymap->keys[keycode / 8] & (1u << (keycode % 8)));
}

void X11HotKeyGrab::unregisterShortcut()
{
    if (!grab)
        return;
    ungrab(*grab);
    grab.reset();
    keyDown = false;
}

bool X11HotKeyGrab::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (!grab || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    const quint8 type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    const auto *key = reinterpret_cast<const xcb_key_press_event_t *>(event);

    if (type == XCB_KEY_RELEASE) {
        if (key->detail != grab->keycode || !keyDown)
            return false;
        // Auto-repeat sends a release before each repeated press; the key is still down then.
        keyDown = isKeyDown(key->detail);
        return true;
    }
    if (key->detail != grab->keycode) {
        // Only the last key pressed repeats: the hot key no longer does.
        keyDown = false;
        return false;
    }
    const quint16 lockMask = XCB_MOD_MASK_LOCK | grab->numLock;
    if ((key->state & coreModifierBits & ~lockMask) != grab->modifiers)
        return false;
    if (keyDown) // a repeat of the press that toggled
        return true;
    keyDown = true;
    Q_EMIT activated(key->time);
    return true;
}
