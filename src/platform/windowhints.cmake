# Desktop hints for Trovia's windows (X11).
target_sources(trovia_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/WindowHints.cpp ${CMAKE_CURRENT_LIST_DIR}/WindowHints.h)
