# vandirctl_<version>_amd64.deb through CPack's DEB generator. The deb preset
# (a release tree installing under /usr, the rule in /usr/lib/udev/rules.d)
# makes it with `cpack --preset deb`; the native tree makes it through that
# preset too (target vandirctl_deb), so that its tests check the package a
# user installs rather than a build with sanitizers.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vandirctl)
set(CPACK_PACKAGE_VENDOR Meridane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "command-line tool of the Vandir II gaming mouse")
# The extended description, in lines of at most 80 characters as Debian's control files want.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "vandirctl inspects and edits the profiles of the Vandir II configuration"
    "program, converts key codes and button functions, and reads and writes the"
    "mouse's configuration through hidraw. The package's udev rule gives the user"
    "logged in at the seat access to the mouse.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Meridane <support@meridane.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends from the libraries the binary links (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/debian/postinst ${CMAKE_CURRENT_LIST_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

set(VANDIR_DEB_PACKAGE ${PROJECT_SOURCE_DIR}/build/deb/vandirctl_${PROJECT_VERSION}_amd64.deb
    CACHE INTERNAL "The package the deb preset makes, which the tests check")

# Debian's hardening flags (dpkg-buildflags, all of them) for the packaged binary.
option(VANDIR_DEBIAN_BUILD_FLAGS "Compile and link with dpkg-buildflags' flags" OFF)
if(VANDIR_DEBIAN_BUILD_FLAGS)
    foreach(_kind CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                                dpkg-buildflags --get ${_kind}
                        OUTPUT_VARIABLE _flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        separate_arguments(_flags UNIX_COMMAND "${_flags}")
        if(_kind STREQUAL LDFLAGS)
            target_link_options(vandirctl PRIVATE ${_flags})
        else()
            foreach(_target vandirctl vandirctl_lib vandir_platform vandir_core)
                target_compile_options(${_target} PRIVATE ${_flags})
            endforeach()
        endif()
    endforeach()
endif()

option(VANDIR_MAKE_DEB "Make the package through the deb preset as part of the build" OFF)
if(VANDIR_MAKE_DEB)
    add_custom_target(vandirctl_deb ALL
        COMMAND ${CMAKE_COMMAND} --preset deb > ${CMAKE_CURRENT_BINARY_DIR}/deb-configure.log
        COMMAND ${CMAKE_COMMAND} --build --preset deb
        COMMAND ${CMAKE_CPACK_COMMAND} --preset deb
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        BYPRODUCTS ${VANDIR_DEB_PACKAGE}
        COMMENT "Making ${VANDIR_DEB_PACKAGE} through the deb preset"
        USES_TERMINAL)
endif()
