# The real application registry and launcher over fixture entries in temporary XDG folders.
trovia_add_test(tst_gioapplications SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_gioapplications.cpp
    LIBS trovia_catalogue GUI DBUS)
