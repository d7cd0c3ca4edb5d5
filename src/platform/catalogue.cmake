# The application registry, launching and icons.
target_sources(trovia_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ApplicationRegistry.h
    ${CMAKE_CURRENT_LIST_DIR}/FolderWalk.cpp ${CMAKE_CURRENT_LIST_DIR}/FolderWalk.h
    ${CMAKE_CURRENT_LIST_DIR}/GioApplicationRegistry.cpp ${CMAKE_CURRENT_LIST_DIR}/GioApplicationRegistry.h
    ${CMAKE_CURRENT_LIST_DIR}/ApplicationLauncher.cpp ${CMAKE_CURRENT_LIST_DIR}/ApplicationLauncher.h
)
