trovia_add_test(tst_hotkeymanager SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_hotkeymanager.cpp
    LIBS trovia_preferences Qt6::DBus GUI DBUS)
pkg_check_modules(XCB_XTEST REQUIRED IMPORTED_TARGET xcb-xtest)
trovia_add_test(tst_hotkey_x11 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_hotkey_x11.cpp
    LIBS trovia_preferences PkgConfig::XCB PkgConfig::XCB_XTEST X11)
