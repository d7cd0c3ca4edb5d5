trovia_add_test(tst_preferenceswindow GUI DBUS
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_preferenceswindow.cpp
    LIBS trovia_preferences Qt6::Widgets)
trovia_add_test(tst_preferencesintegration GUI DBUS
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_preferencesintegration.cpp
    LIBS trovia_launcher)

# Pictures of the window for the README (not a test): tests/with-x-session --wm <it> <picture.png>
add_executable(preferences-screenshot ${CMAKE_CURRENT_LIST_DIR}/preferences_screenshot.cpp)
target_link_libraries(preferences-screenshot PRIVATE trovia_preferences Qt6::Widgets Qt6::Test)
