# The Debian package: what the install rules put under /usr (the program, its desktop entry and icon),
# with the library packages it needs found by dpkg-shlibdeps from the program's own links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlinex)
set(CPACK_PACKAGE_VENDOR "Kestrow")
set(CPACK_PACKAGE_CONTACT "Kestrow <kestrow@setboard.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "random example photos from a photo-set release, for forum posts")
set(CPACK_PACKAGE_DESCRIPTION "Vorlinex lists the photos of a release (a folder of JPEGs or a folder of ZIP \
archives), picks the requested number at random and copies them into an output folder as examples. It also \
gives the technical data for the post, finds broken photos and lists set names. The interface is Russian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Russian texts, the Wayland platform and the desktop's folder opener are used when present.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland, xdg-utils")
include(CPack)
