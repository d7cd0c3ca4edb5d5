trovia_add_test(tst_windowactivation SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_windowactivation.cpp
    LIBS trovia_platform)
