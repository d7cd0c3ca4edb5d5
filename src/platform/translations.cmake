# Choosing and installing the translation for the user's language.
target_sources(trovia_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Translations.cpp ${CMAKE_CURRENT_LIST_DIR}/Translations.h)
