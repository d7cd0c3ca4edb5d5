# Where Trovia finds its resources: beside the executable, else the installed folder relative to the
# executable, else the installed folder of the configured prefix.
target_sources(trovia_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ResourcePaths.cpp ${CMAKE_CURRENT_LIST_DIR}/ResourcePaths.h)
file(RELATIVE_PATH _trovia_resources_from_binary ${CMAKE_INSTALL_FULL_BINDIR}
    ${CMAKE_INSTALL_PREFIX}/${TROVIA_RESOURCE_DIR})
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/ResourcePaths.cpp APPEND PROPERTY COMPILE_DEFINITIONS
    TROVIA_RESOURCE_DIR_FROM_BINARY="${_trovia_resources_from_binary}"
    TROVIA_INSTALLED_RESOURCE_DIR="${CMAKE_INSTALL_PREFIX}/${TROVIA_RESOURCE_DIR}")

# The build tree runs from the source resources: every folder that holds Trovia's executables (the
# program in the build root, each test folder) gets a "resources" link to them.
file(GLOB _trovia_test_folders LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/*)
set(_trovia_executable_folders ${CMAKE_BINARY_DIR})
foreach(_folder IN LISTS _trovia_test_folders)
    if(IS_DIRECTORY ${_folder})
        get_filename_component(_name ${_folder} NAME)
        list(APPEND _trovia_executable_folders ${CMAKE_BINARY_DIR}/tests/${_name})
    endif()
endforeach()
foreach(_folder IN LISTS _trovia_executable_folders)
    file(MAKE_DIRECTORY ${_folder})
    file(CREATE_LINK ${TROVIA_SOURCE_RESOURCE_DIR} ${_folder}/resources SYMBOLIC)
endforeach()
