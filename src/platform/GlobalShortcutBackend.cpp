#include "platform/GlobalShortcutBackend.h"

#include "platform/portal/PortalGlobalShortcuts.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11HotKeyGrab.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

std::unique_ptr<GlobalShortcutBackend> GlobalShortcutBackend::createForSession()
{
    // Under Wayland Trovia runs through XWayland, where a grab only sees keys while an X window
    // has focus: the desktop has to hand the combination over.
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return std::make_unique<PortalGlobalShortcuts>(QDBusConnection::sessionBus());
    // Other platforms (offscreen) answer the X11 interface too, but with no connection.
    if (xcb_connection_t *connection = X11::qtConnection())
        return std::make_unique<X11HotKeyGrab>(connection);
    return nullptr;
}
