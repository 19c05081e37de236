# Desktop integration and the Debian package (`cpack -G DEB` in the build folder).

if(VX_BUILD_GUI)
    # A menu entry in the engineering tools, the icon, and the file type of specifications, so
    # that a double-click on a .vxs file opens it in the application.
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/veltranix.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/veltranix.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/veltranix-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME veltranix.xml)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/veltranix)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltranix)
set(CPACK_PACKAGE_VENDOR Brennholt)
set(CPACK_PACKAGE_CONTACT "Brennholt <support@brennholt.de>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design tool for active analog filters with op-amps")
set(CPACK_PACKAGE_DESCRIPTION "Veltranix designs low-, high-, band-pass and band-stop filters \
in Sallen-Key, multiple-feedback and twin-T structures with standard component values, plots \
their response, writes reports and Spice netlists and simulates them in ngspice. The user \
interface is German.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The library dependencies come from the binaries (dpkg-shlibdeps). The window system's
# platform plugin is loaded at run time, so no library names it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(VX_BUILD_GUI)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
# ngspice shows the results of the Spice menu; Qt's German texts serve its standard dialogs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "ngspice, qt6-translations-l10n")
include(CPack)
