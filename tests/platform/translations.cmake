# The translations: language choice, lookup through the installed translator, and every .ts
# complete against what lupdate finds in the sources.
trovia_add_test(tst_translations SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_translations.cpp
    LIBS trovia_platform)
add_dependencies(tst_translations trovia_lrelease trovia_strings_source)
set_property(TEST tst_translations APPEND PROPERTY ENVIRONMENT
    "TROVIA_LUPDATE=$<TARGET_FILE:Qt6::lupdate>"
    "TROVIA_LUPDATE_SOURCES=${TROVIA_LUPDATE_SOURCES}"
    "TROVIA_BUILT_TRANSLATIONS=${CMAKE_BINARY_DIR}/translations")
