# A Debian package: `cpack -G DEB` in a build folder.
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "The Vantrel contributors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Write vehicle teleport scripts for a game's scripting language")
set(CPACK_PACKAGE_CONTACT "The Vantrel contributors <maintainers@vantrel.example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Playback goes through GStreamer plugins, which no library link reveals. Save reads the
# editor's text through Qt's private headers, which hold for this one Qt version only.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-libav, fonts-liberation2, qt6-base-abi (= ${Qt6Gui_VERSION})")
include(CPack)
