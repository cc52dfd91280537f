# A Debian package of what `cmake --install` puts in place, built with one command:
#   cmake --build build --target package      (gives build/tarrowin_<version>_<arch>.deb)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarrowin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Reads Chinese novels aloud and page by page")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tarrowin reads long Chinese novels (plain text files in GBK, GB18030, Big5,\n"
    "UTF-8 or UTF-16) aloud, piece by piece, with the word being spoken highlighted,\n"
    "and shows them page by page in a reader window. The place in a novel is kept\n"
    "in small side files and found again at the next start. A short public-domain\n"
    "sample novel comes with it.")
set(CPACK_PACKAGE_CONTACT "Tarrowin developers <developers@tarrowin.org>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY tarrowin)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tarrowin.org")
# The libraries the executable links come from dpkg-shlibdeps. What it loads or reads at run time
# is named here: Qt's platform plugins (no window opens without them), its SVG plugin (the windows'
# icon) and the voice's data; TagLib (MP3 tags) comes with the linked libraries; and,
# recommended, a font with Chinese characters, Qt's own texts in Chinese and a sound server.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, libtag1v5, espeak-ng-data")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-noto-cjk | fonts-arphic-ukai | fonts-wqy-microhei, qt6-translations-l10n, pulseaudio | pipewire-pulse")
include(CPack)
