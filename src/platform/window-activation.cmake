# Activation of Trovia's window with the user's timestamp (X11), startup notification.
target_sources(trovia_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/WindowActivation.cpp ${CMAKE_CURRENT_LIST_DIR}/WindowActivation.h)
