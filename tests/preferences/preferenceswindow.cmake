trovia_add_test(tst_preferenceswindow GUI DBUS
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_preferenceswindow.cpp
    LIBS trovia_preferences Qt6::Widgets)
