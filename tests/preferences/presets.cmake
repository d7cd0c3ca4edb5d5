trovia_add_test(tst_colorpresets SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_colorpresets.cpp
    LIBS trovia_preferences)
