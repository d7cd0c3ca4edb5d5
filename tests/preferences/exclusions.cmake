trovia_add_test(tst_excludedlocations GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_excludedlocations.cpp
    LIBS trovia_preferences Qt6::Widgets)
trovia_add_test(tst_loginitems DBUS
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_loginitems.cpp
    LIBS trovia_preferences PkgConfig::GIO)
