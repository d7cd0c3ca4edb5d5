trovia_add_test(tst_localizedstrings SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_localizedstrings.cpp
    LIBS trovia_platform)
