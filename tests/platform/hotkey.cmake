trovia_add_test(tst_keytables SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_keytables.cpp
    LIBS trovia_platform PkgConfig::XCB)
trovia_add_test(tst_portalshortcuts SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_portalshortcuts.cpp
    LIBS trovia_platform Qt6::DBus DBUS)
