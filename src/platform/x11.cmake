# Shared X11 helpers on Qt's own connection.
target_sources(trovia_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/X11Connection.cpp ${CMAKE_CURRENT_LIST_DIR}/X11Connection.h)
