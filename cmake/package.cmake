# The Debian package (scripts/package.sh runs CPack on a build configured with CMAKE_INSTALL_PREFIX=/usr):
# everything the install rules install. The shared libraries it links come from dpkg-shlibdeps; the QML
# modules and image plug-ins that Qt loads at run time are named here.
set(CPACK_PACKAGE_NAME "dorvo-preview")
set(CPACK_PACKAGE_VENDOR "dorvo_preview")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Preview of digital-signage programs in a Qt Quick scene, with a flat C interface")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "dorvo_preview maintainers <dorvo-preview@localhost>")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qml-module-qtquick2, qml-module-qtquick-window2, qml-module-qtquick-controls2, qml-module-qtquick-templates2, qml-module-qtquick-layouts, qml-module-qtquick-shapes, qml-module-qtgraphicaleffects, qt5-image-formats-plugins, libqt5svg5, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "pkg-config, nlohmann-json3-dev, qtbase5-dev")
include(CPack)
