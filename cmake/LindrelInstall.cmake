# What `cmake --install` puts under the prefix: the kit (headers, shared and
# static libraries, pkg-config files, the CMake package), the two programs,
# the templates and sample documents, and the documentation.
option(LINDREL_INSTALL "Install the kit and the programs" ${LINDREL_TOP_LEVEL})
if(NOT LINDREL_INSTALL OR LINDREL_FUZZ)
  return()
endif()
include(CMakePackageConfigHelpers)

set(LINDREL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Lindrel)
set(LINDREL_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
set(LINDREL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/lindrel)
set(LINDREL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/lindrel)

install(TARGETS vsupport_shared vsupport_static vapi_shared vapi_static
  EXPORT LindrelTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY api/include/vapi support/include/vsupport
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS vxhost lindrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(EXPORT LindrelTargets NAMESPACE Lindrel:: DESTINATION ${LINDREL_CMAKE_DIR})
configure_package_config_file(cmake/LindrelConfig.cmake.in
  ${PROJECT_BINARY_DIR}/LindrelConfig.cmake INSTALL_DESTINATION ${LINDREL_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/LindrelConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/LindrelConfig.cmake
  ${PROJECT_BINARY_DIR}/LindrelConfigVersion.cmake DESTINATION ${LINDREL_CMAKE_DIR})

# The .pc files find the prefix from where they lie, so that
# `cmake --install --prefix` may put the kit anywhere.
file(RELATIVE_PATH LINDREL_PC_TO_PREFIX /${LINDREL_PC_DIR} /)
string(REGEX REPLACE "/$" "" LINDREL_PC_TO_PREFIX ${LINDREL_PC_TO_PREFIX})
foreach(pc vsupport vapi)
  configure_file(cmake/${pc}.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc DESTINATION ${LINDREL_PC_DIR})
endforeach()

install(FILES examples/Outline.vx examples/OutlineLevels.vx examples/book.vx
  examples/project-plan.vx DESTINATION ${LINDREL_DATA_DIR})
install(DIRECTORY examples/custom-levels DESTINATION ${LINDREL_DATA_DIR})
install(DIRECTORY docs/ DESTINATION ${LINDREL_DOC_DIR} FILES_MATCHING PATTERN "*.md")
install(DIRECTORY examples/client DESTINATION ${LINDREL_DOC_DIR}/examples)
