# Showing an application's entry in the file manager (FileManager1 over D-Bus, else the folder).
target_sources(trovia_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FileRevealer.cpp ${CMAKE_CURRENT_LIST_DIR}/FileRevealer.h)
