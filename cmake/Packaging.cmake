# The Debian package (`./package`, or `cpack -G DEB` in a build folder) and what only installing
# needs: manual pages, the copyright notice and the changelog.

# Debian wants manual pages compressed without a time stamp, so that a rebuild gives the same bytes.
function(qb_install_manual_page source)
  get_filename_component(page "${source}" NAME_WLE)
  get_filename_component(section "${page}" LAST_EXT)
  string(SUBSTRING "${section}" 1 -1 section)
  configure_file("${source}" "${CMAKE_CURRENT_BINARY_DIR}/man/${page}" @ONLY)
  execute_process(COMMAND gzip -9nfk "${CMAKE_CURRENT_BINARY_DIR}/man/${page}" COMMAND_ERROR_IS_FATAL ANY)
  install(FILES "${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man${section}")
endfunction()

# The copyright notice and the changelog, as every Debian package carries them.
execute_process(COMMAND env LC_ALL=C date -u -R -d "${QB_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE QB_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
foreach(file copyright changelog)
  configure_file("packaging/${file}.in" "${CMAKE_BINARY_DIR}/packaging/${file}" @ONLY)
endforeach()
execute_process(COMMAND gzip -9nfk "${CMAKE_BINARY_DIR}/packaging/changelog" COMMAND_ERROR_IS_FATAL ANY)
install(FILES "${CMAKE_BINARY_DIR}/packaging/copyright" "${CMAKE_BINARY_DIR}/packaging/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/quillbrook")

# cpack packages what the build has made (./package builds first), and the package test does not
# rebuild a tree whose other tests are running.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillbrook)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Brookfield Software")
set(CPACK_PACKAGE_CONTACT "Brookfield Software <${SupportMailAddress}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "download videos and convert them to popular formats")
# Debian shows the description as written: lines of at most 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Quillbrook leads you through two steps. It fetches a video's watch page,"
  "shows the video's title, uploader, date, views, category and description,"
  "and hands the download link to your web browser, which saves the Flash video."
  "It then converts the downloaded video into one of 24 audio and video formats"
  "(AVI, MPEG, WMV, MOV, MP4 for portable players and telephones, 3GP, WAV, MP3"
  "and more), optionally cut to a time range.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ProductPageAddress}")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The libraries the binaries link come from dpkg-shlibdeps. Which encoders libavcodec holds shows
# only at run time: the AMR encoder of the 3GP formats is in its extra build alone. (Qt's
# window-system plugins come with libqt6gui6; xdg-open shows folders and web pages.) Without the
# certificate authorities every secure page fetch fails its check on a minimal system.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libavcodec-extra, ca-certificates")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
# The "Video Output" folder beside the program serves a build or a per-user install; in a system
# install nobody but root could write into it, so the package leaves it out.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Quillbrook;Unspecified;/")
include(CPack)
