# The Preferences window, loaded from resources/Preferences.ui at run time.
target_sources(trovia_preferences PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/PreferencesController.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PreferencesController.h
    ${CMAKE_CURRENT_LIST_DIR}/PreferencesWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PreferencesWindow.h)
target_link_libraries(trovia_preferences PUBLIC Qt6::UiTools)
