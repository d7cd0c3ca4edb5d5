trovia_add_test(tst_preferenceswindow GUI DBUS
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_preferenceswindow.cpp
    LIBS trovia_preferences Qt6::Widgets)
add_dependencies(tst_preferenceswindow trovia_lrelease)
set_property(TEST tst_preferenceswindow APPEND PROPERTY ENVIRONMENT
    "TROVIA_BUILT_TRANSLATIONS=${CMAKE_BINARY_DIR}/translations")
# The translated layouts once more at twice the scale, on a 2880x1800 screen.
add_test(NAME tst_preferenceswindow_2x
    COMMAND dbus-run-session --config-file=${CMAKE_SOURCE_DIR}/tests/session-bus.conf --
        $<TARGET_FILE:tst_preferenceswindow> noTextIsClippedInAnyLanguage)
set_tests_properties(tst_preferenceswindow_2x PROPERTIES LABELS unit TIMEOUT 120 ENVIRONMENT
    "TROVIA_SOURCE_DIR=${CMAKE_SOURCE_DIR};QT_LOGGING_RULES=*.debug=false;QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_CURRENT_LIST_DIR}/offscreen-2x.json;QT_SCALE_FACTOR=2;TROVIA_BUILT_TRANSLATIONS=${CMAKE_BINARY_DIR}/translations")
trovia_add_test(tst_preferencesintegration GUI DBUS
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_preferencesintegration.cpp
    LIBS trovia_launcher)
