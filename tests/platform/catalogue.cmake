# The real application registry and launcher over fixture entries in temporary XDG folders.
trovia_add_test(tst_gioapplications SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_gioapplications.cpp
    LIBS trovia_catalogue GUI DBUS)
# The loops row alone, so that its launch is the process's first, where GIO would index the
# folders with the loops in place; a launch that hangs fails at the timeout.
add_test(NAME tst_gioapplications_loops
    COMMAND dbus-run-session --config-file=${CMAKE_SOURCE_DIR}/tests/session-bus.conf --
        $<TARGET_FILE:tst_gioapplications> "hostileFolders:two symbolic link loops")
set_tests_properties(tst_gioapplications_loops PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=*.debug=false" LABELS unit TIMEOUT 30)
