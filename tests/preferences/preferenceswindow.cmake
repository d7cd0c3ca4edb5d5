trovia_add_test(tst_preferenceswindow GUI DBUS
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_preferenceswindow.cpp
    LIBS trovia_preferences Qt6::Widgets)
trovia_add_test(tst_preferencesintegration GUI DBUS
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_preferencesintegration.cpp
    LIBS trovia_launcher)

