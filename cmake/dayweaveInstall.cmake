# Installation and packaging of dayweave.
#
# `cmake --install` lays out, under any prefix:
#   include/dayweave/*.h                     the public headers          (component Development)
#   lib/libdayweave.so.0.1.0, .so.0.1        the shared library          (component Runtime)
#   lib/libdayweave.so                       the link-time name          (component Development)
#   bin/dayweave                             the command-line agent      (component Runtime)
#   lib/cmake/dayweave/                      the CMake package           (component Development)
#   lib/pkgconfig/dayweave.pc                the pkg-config file         (component Development)
#
# Every installed file that names a path finds it relative to its own location, so an
# installed tree can be moved to another prefix, and `cpack -G DEB` turns the two components
# into the packages dayweave and dayweave-dev.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(DAYWEAVE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/dayweave)
set(DAYWEAVE_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(TARGETS dayweave
  EXPORT dayweaveTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    COMPONENT Runtime
    NAMELINK_COMPONENT Development)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/dayweave
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  COMPONENT Development
  FILES_MATCHING PATTERN "*.h")

# The CMake package: find_package(dayweave 0.1) then link dayweave::dayweave.
install(EXPORT dayweaveTargets
  NAMESPACE dayweave::
  DESTINATION ${DAYWEAVE_CMAKE_DIR}
  COMPONENT Development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/dayweaveConfig.cmake.in
  ${PROJECT_BINARY_DIR}/dayweaveConfig.cmake
  INSTALL_DESTINATION ${DAYWEAVE_CMAKE_DIR})
# Before 1.0 a minor release may change the interface (the library's soname carries the
# minor version too), so only releases with the same major and minor version satisfy a
# request.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/dayweaveConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/dayweaveConfig.cmake
  ${PROJECT_BINARY_DIR}/dayweaveConfigVersion.cmake
  DESTINATION ${DAYWEAVE_CMAKE_DIR}
  COMPONENT Development)

# The pkg-config file reaches the prefix through its own folder (pkg-config's ${pcfiledir}),
# which keeps it right in a staged or moved installation.
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(DAYWEAVE_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
  set(DAYWEAVE_PC_LIBDIR "${CMAKE_INSTALL_FULL_LIBDIR}")
  set(DAYWEAVE_PC_INCLUDEDIR "${CMAKE_INSTALL_FULL_INCLUDEDIR}")
else()
  file(RELATIVE_PATH pc_to_prefix ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
  string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")
  set(DAYWEAVE_PC_PREFIX "\${pcfiledir}/${pc_to_prefix}")
  set(DAYWEAVE_PC_LIBDIR "\${prefix}/${CMAKE_INSTALL_LIBDIR}")
  set(DAYWEAVE_PC_INCLUDEDIR "\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/dayweave.pc.in ${PROJECT_BINARY_DIR}/dayweave.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/dayweave.pc
  DESTINATION ${DAYWEAVE_PKGCONFIG_DIR}
  COMPONENT Development)

# The command-line agent, when the build has one. The check runs once the whole top-level
# folder has been read, so it sees the agent wherever its add_subdirectory() stands. Outside
# the system's library folders the agent finds the library beside its own bin folder.
function(dayweave_install_agent)
  if(NOT TARGET dayweave_agent)
    return()
  endif()
  if(NOT CMAKE_INSTALL_FULL_LIBDIR IN_LIST CMAKE_CXX_IMPLICIT_LINK_DIRECTORIES)
    file(RELATIVE_PATH bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
    set_target_properties(dayweave_agent PROPERTIES INSTALL_RPATH "\$ORIGIN/${bin_to_lib}")
  endif()
  install(TARGETS dayweave_agent
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    COMPONENT Runtime)
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL dayweave_install_agent)

# Debian packages: `cpack -G DEB` in the build folder.
set(CPACK_PACKAGE_NAME dayweave)
set(CPACK_PACKAGE_VENDOR "dayweave")
set(CPACK_PACKAGE_CONTACT "dayweave maintainers <maintainers@users.noreply.c-seed-14911796.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS Runtime)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME dayweave)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
string(CONCAT CPACK_DEBIAN_RUNTIME_DESCRIPTION
  "calendar reasoning for scheduling agents\n"
  "The shared library libdayweave answers a scheduling agent's calendar questions: whether "
  "an appointment, one-off or recurring by an Outlook-style rule, leaves the user free, and "
  "which time slots to offer other agents in a KQML tell message. The package holds the "
  "library and the command-line agent dayweave.")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME dayweave-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
string(CONCAT CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
  "calendar reasoning for scheduling agents - development files\n"
  "The C++20 headers of libdayweave, its CMake package (find_package(dayweave)) and its "
  "pkg-config file (dayweave.pc).")
include(CPack)
