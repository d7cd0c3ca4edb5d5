target_sources(trovia_preferences PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/HotKeyManager.cpp ${CMAKE_CURRENT_LIST_DIR}/HotKeyManager.h)
