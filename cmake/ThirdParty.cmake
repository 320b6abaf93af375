# Header-only libraries and GoogleTest, all from Debian packages.
#
# The headers are staged into a folder of their own so that the cross compiler
# sees them without seeing the rest of the host's /usr/include.
set(VANDIR_STAGED_INCLUDE ${CMAKE_BINARY_DIR}/staged-include)
foreach(_dir nlohmann CLI)
    if(NOT EXISTS /usr/include/${_dir})
        message(FATAL_ERROR "/usr/include/${_dir} is missing: run scripts/test or install "
                            "nlohmann-json3-dev and libcli11-dev")
    endif()
    file(MAKE_DIRECTORY ${VANDIR_STAGED_INCLUDE})
    file(CREATE_LINK /usr/include/${_dir} ${VANDIR_STAGED_INCLUDE}/${_dir} SYMBOLIC)
endforeach()

add_library(third_party_headers INTERFACE)
target_include_directories(third_party_headers SYSTEM INTERFACE ${VANDIR_STAGED_INCLUDE})

# GoogleTest is built from Debian's sources by each tree for its own compiler.
set(VANDIR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${VANDIR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
