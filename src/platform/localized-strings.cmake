# Trovia's string table, compiled into the program.
target_sources(trovia_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/LocalizedStrings.cpp ${CMAKE_CURRENT_LIST_DIR}/LocalizedStrings.h)
qt_add_resources(trovia_platform strings PREFIX /trovia BASE ${CMAKE_SOURCE_DIR}/resources
    FILES ${CMAKE_SOURCE_DIR}/resources/Localizable.plist)
