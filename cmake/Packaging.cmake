# Desktop integration (.desktop file, AppStream metainfo, hicolor icons), the
# install rules that put them in place, and a Debian package made by CPack:
#   cmake --install build --prefix /tmp/stage
#   (cd build && cpack)        # vireo_<version>_<arch>.deb

set(VIREO_HOMEPAGE_URL "https://vireo.app" CACHE STRING
    "Homepage named in the AppStream metainfo and the Debian package")

# The types the file manager offers to open with Vireo: what ffmpeg and libvips
# read, and the subtitle formats Vireo converts.
set(VIREO_MIME_TYPES
  # audio
  audio/mpeg audio/mp4 audio/x-m4a audio/aac audio/flac audio/x-flac audio/ogg
  audio/x-vorbis+ogg audio/x-opus+ogg audio/x-wav audio/x-aiff audio/x-aifc audio/x-ms-wma
  audio/webm audio/x-matroska audio/ac3 audio/x-ape audio/x-wavpack audio/x-musepack
  audio/x-tta audio/basic audio/x-speex audio/mp2
  # video
  video/mp4 video/x-matroska video/webm video/quicktime video/x-msvideo video/x-ms-wmv
  video/x-flv video/mpeg video/mp2t video/ogg video/x-ogm+ogg video/3gpp video/3gpp2
  video/x-theora+ogg video/dv video/x-mjpeg video/vnd.rn-realvideo
  # images (HEIC files are image/heif)
  image/png image/jpeg image/gif image/bmp image/tiff image/webp image/heif image/avif
  image/x-tga image/x-portable-pixmap image/jxl image/jp2 image/vnd.microsoft.icon image/x-exr
  # subtitles
  application/x-subrip text/x-ssa text/vtt text/x-microdvd text/x-subviewer)
list(JOIN VIREO_MIME_TYPES ";" VIREO_MIME_TYPES)
set(VIREO_MIME_TYPES "${VIREO_MIME_TYPES};")

set(VIREO_PACKAGING_DIR "${CMAKE_BINARY_DIR}/packaging/linux")
configure_file(packaging/linux/vireo.desktop.in
               "${VIREO_PACKAGING_DIR}/${VIREO_APP_ID}.desktop" @ONLY)
configure_file(packaging/linux/vireo.metainfo.xml.in
               "${VIREO_PACKAGING_DIR}/${VIREO_APP_ID}.metainfo.xml" @ONLY)

install(FILES "${VIREO_PACKAGING_DIR}/${VIREO_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${VIREO_PACKAGING_DIR}/${VIREO_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

# The watched-folder service; `systemctl --user enable` turns an instance on.
configure_file(packaging/linux/vireo-watch@.service.in
               "${VIREO_PACKAGING_DIR}/vireo-watch@.service" @ONLY)
install(FILES "${VIREO_PACKAGING_DIR}/vireo-watch@.service"
        DESTINATION "${CMAKE_INSTALL_PREFIX}/lib/systemd/user")

# The PNGs are rendered from the SVG once and committed (rsvg-convert), so a
# build needs no SVG renderer.
foreach(size 16 24 32 48 64 128 256 512)
  install(FILES "packaging/icons/hicolor/${size}x${size}/vireo.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
          RENAME "${VIREO_APP_ID}.png")
endforeach()
install(FILES packaging/icons/hicolor/scalable/vireo.svg
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
        RENAME "${VIREO_APP_ID}.svg")

# Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vireo)
set(CPACK_PACKAGE_VENDOR "The Vireo developers")
set(CPACK_PACKAGE_CONTACT "The Vireo developers <${VIREO_SUPPORT_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch media converter for the desktop")
set(CPACK_PACKAGE_DESCRIPTION
    "Vireo converts many audio, video, image and subtitle files at once.\n"
    "Drop files or folders on its window, pick a group and an output format,\n"
    "and it converts the group a few files at a time with FFmpeg, showing\n"
    "progress and the time left. vireo-cli does the same from a terminal.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VIREO_HOMEPAGE_URL}")
# The ffmpeg executable is run, not linked (the probe links only FFmpeg's
# libraries), and the SVG icon engine is a plugin: no library scan finds either.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "ffmpeg, libqt6svg6")
find_program(VIREO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VIREO_DPKG_SHLIBDEPS)
  # Qt, libvips, FFmpeg's libraries and the C++ runtime, with the versions
  # this build needs.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "ffmpeg, libqt6svg6, libqt6widgets6, libqt6network6, libqt6dbus6, libvips42, libavformat59, libavcodec59, libavutil57")
endif()
# Native Wayland windows (X11 comes with libqt6gui6) and the symbols the
# window uses where the desktop's icon theme lacks them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, adwaita-icon-theme")
include(CPack)
