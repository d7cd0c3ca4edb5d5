# The global hot key: key-code tables, key names, the X11 grab, the Wayland portal, and the desktop
# notification that tells the user about a refused combination.
target_sources(trovia_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DesktopNotification.cpp ${CMAKE_CURRENT_LIST_DIR}/DesktopNotification.h
    ${CMAKE_CURRENT_LIST_DIR}/GlobalShortcutBackend.cpp ${CMAKE_CURRENT_LIST_DIR}/GlobalShortcutBackend.h
    ${CMAKE_CURRENT_LIST_DIR}/KeyCodes.cpp ${CMAKE_CURRENT_LIST_DIR}/KeyCodes.h
    ${CMAKE_CURRENT_LIST_DIR}/KeyboardLayout.cpp ${CMAKE_CURRENT_LIST_DIR}/KeyboardLayout.h
    ${CMAKE_CURRENT_LIST_DIR}/PortalGlobalShortcuts.cpp ${CMAKE_CURRENT_LIST_DIR}/PortalGlobalShortcuts.h
    ${CMAKE_CURRENT_LIST_DIR}/X11HotKeyGrab.cpp ${CMAKE_CURRENT_LIST_DIR}/X11HotKeyGrab.h
)
