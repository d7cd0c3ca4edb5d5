trovia_add_test(tst_hotkeymanager SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_hotkeymanager.cpp
    LIBS trovia_preferences Qt6::DBus GUI DBUS)
