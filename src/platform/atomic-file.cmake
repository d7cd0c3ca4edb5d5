# Whole-file replacement for every file Trovia writes (usage log, autostart entries, ...).
target_sources(trovia_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AtomicFile.cpp ${CMAKE_CURRENT_LIST_DIR}/AtomicFile.h)
