# What `cmake --install` puts beside the two programs, and the .deb that CPack builds from it.
include(GNUInstallDirs)
install(FILES packaging/zxmaze.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/zxmaze.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
install(FILES packaging/zxmaze-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zxmaze)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Random maze maps for ZX Spectrum games, as Z80 assembler data")
set(CPACK_PACKAGE_CONTACT "zxmaze developers <zxmaze@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The runtime libraries (Qt 6, libpng, the C++ library) become dependencies, found from the binaries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
