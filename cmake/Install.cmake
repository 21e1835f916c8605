# Installs the library, its public headers and the error catalogue beside
# the library (the handle functions read it from the default directory,
# which applications set there or to a folder with a copy); the tool and
# its manual; and the files that let other projects find the library: a
# CMake package (find_package(Tralvex) gives Tralvex::tralvex) and a
# pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS tralvex EXPORT TralvexTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY include/tralvex DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  FILES_MATCHING PATTERN "*.h")
if(WIN32)
  set(TRALVEX_CATALOGUE_DESTINATION ${CMAKE_INSTALL_BINDIR})
else()
  set(TRALVEX_CATALOGUE_DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()
install(FILES data/QelError.msg DESTINATION ${TRALVEX_CATALOGUE_DESTINATION})

if(TARGET tralvex_tool)
  install(TARGETS tralvex_tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES docs/tralvex.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(TRALVEX_PACKAGE_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Tralvex)
install(EXPORT TralvexTargets NAMESPACE Tralvex:: DESTINATION ${TRALVEX_PACKAGE_DESTINATION})
configure_package_config_file(cmake/templates/TralvexConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/TralvexConfig.cmake
  INSTALL_DESTINATION ${TRALVEX_PACKAGE_DESTINATION}
  PATH_VARS CMAKE_INSTALL_INCLUDEDIR TRALVEX_CATALOGUE_DESTINATION)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/TralvexConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/TralvexConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/TralvexConfigVersion.cmake
  DESTINATION ${TRALVEX_PACKAGE_DESTINATION})

# Relative to the file itself, so that an install under another prefix
# (cmake --install --prefix) still points at itself.
file(RELATIVE_PATH TRALVEX_PC_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" TRALVEX_PC_PREFIX "${TRALVEX_PC_PREFIX}")
configure_file(cmake/templates/tralvex.pc.in ${CMAKE_CURRENT_BINARY_DIR}/tralvex.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tralvex.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
