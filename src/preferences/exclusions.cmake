target_sources(trovia_preferences PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ExcludedLocationsManager.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ExcludedLocationsManager.h
    ${CMAKE_CURRENT_LIST_DIR}/LoginItems.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LoginItems.h
)
target_link_libraries(trovia_preferences PRIVATE PkgConfig::GIO)
