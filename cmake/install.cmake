# Install rules: the shared library (with its SONAME and version links), the C header, the C++ headers
# of the records under include/dorvo_preview/, a pkg-config file, a CMake package with the imported
# target DorvoPreview::dorvo_preview, the replay tool and the documentation.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(DORVO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/DorvoPreview)

install(TARGETS dorvo_preview EXPORT DorvoPreviewTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${CMAKE_SOURCE_DIR}/include/dorvo_preview.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/dorvo_preview DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  FILES_MATCHING PATTERN "*.h")

install(EXPORT DorvoPreviewTargets NAMESPACE DorvoPreview:: DESTINATION ${DORVO_CMAKE_DIR})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/DorvoPreviewConfig.cmake.in
  ${CMAKE_BINARY_DIR}/DorvoPreviewConfig.cmake INSTALL_DESTINATION ${DORVO_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/DorvoPreviewConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/DorvoPreviewConfig.cmake ${CMAKE_BINARY_DIR}/DorvoPreviewConfigVersion.cmake
  DESTINATION ${DORVO_CMAKE_DIR})

# The pkg-config file names the prefix given at install time (cmake --install --prefix P).
if(IS_ABSOLUTE ${CMAKE_INSTALL_LIBDIR})
  set(DORVO_PC_LIBDIR ${CMAKE_INSTALL_LIBDIR})
else()
  set(DORVO_PC_LIBDIR "\${prefix}/${CMAKE_INSTALL_LIBDIR}")
endif()
if(IS_ABSOLUTE ${CMAKE_INSTALL_INCLUDEDIR})
  set(DORVO_PC_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR})
else()
  set(DORVO_PC_INCLUDEDIR "\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}")
endif()
set(DORVO_PC_PREFIX "@DORVO_PC_PREFIX@")
configure_file(${CMAKE_SOURCE_DIR}/cmake/dorvo_preview.pc.in ${CMAKE_BINARY_DIR}/dorvo_preview.pc.in @ONLY)
install(CODE "
  file(READ \"${CMAKE_BINARY_DIR}/dorvo_preview.pc.in\" pc)
  string(REPLACE \"@DORVO_PC_PREFIX@\" \"\${CMAKE_INSTALL_PREFIX}\" pc \"\${pc}\")
  file(WRITE \"${CMAKE_BINARY_DIR}/dorvo_preview.pc\" \"\${pc}\")
")
install(FILES ${CMAKE_BINARY_DIR}/dorvo_preview.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The replay tool finds the installed library through its run path.
install(TARGETS preview-player RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set_target_properties(preview-player PROPERTIES INSTALL_RPATH "\$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")

install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(EXISTS ${CMAKE_SOURCE_DIR}/docs/formats.md)
  install(FILES ${CMAKE_SOURCE_DIR}/docs/formats.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
target_compile_definitions(preview-player PRIVATE
  INSTALLED_LIBRARY_PATH="../${CMAKE_INSTALL_LIBDIR}/$<TARGET_SONAME_FILE_NAME:dorvo_preview>")
