trovia_add_test(tst_excludedlocations GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_excludedlocations.cpp
    LIBS trovia_preferences Qt6::Widgets)
trovia_add_test(tst_loginitems DBUS
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_loginitems.cpp
    LIBS trovia_preferences PkgConfig::GIO)
# Excluding the main window's selection; in a folder of its own, where the test builds the
# resources folder it reads (one panel file broken at will).
trovia_add_test(tst_excludeselection GUI DBUS
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_excludeselection.cpp
    LIBS trovia_launcher)
set_target_properties(tst_excludeselection PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/excludeselection)
