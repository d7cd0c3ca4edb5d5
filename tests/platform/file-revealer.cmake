trovia_add_test(tst_filerevealer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_filerevealer.cpp
    LIBS trovia_platform Qt6::DBus GUI DBUS)
