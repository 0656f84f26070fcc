# Linux: the installed layout and the Debian package (cpack -G DEB).
# SPDX-License-Identifier: GPL-3.0-or-later
# The game and its data in lib/tessalor (it reads its data beside its real
# executable) with a link in games, the level tool in games, the desktop
# entry, the icons, the AppStream description, the manual pages and the
# package's copyright and changelog under share.
include(GNUInstallDirs)
set(TESSALOR_LIB_DIR lib/tessalor)
set(TESSALOR_METAINFO tessalor.game.tessalor.metainfo.xml)
install(TARGETS tessalor RUNTIME DESTINATION ${TESSALOR_LIB_DIR})
install(TARGETS tessalor-levels RUNTIME DESTINATION games)
# The data files are made at build time, so they are gathered when installing.
install(CODE "
  file(GLOB tessalor_data_files \"${TESSALOR_DATA_DIR}/tessa32*.dat\")
  file(INSTALL \${tessalor_data_files}
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${TESSALOR_LIB_DIR}\")
  file(INSTALL \"${TESSALOR_DATA_DIR}/aidetessalor\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${TESSALOR_LIB_DIR}\")
  set(games \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games\")
  file(MAKE_DIRECTORY \"\${games}\")
  file(CREATE_LINK ../${TESSALOR_LIB_DIR}/tessalor \"\${games}/tessalor\" SYMBOLIC)
  message(STATUS \"Installing: \${games}/tessalor -> ../${TESSALOR_LIB_DIR}/tessalor\")
")
install(FILES ${CMAKE_BINARY_DIR}/desktop/tessalor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/desktop/${TESSALOR_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES ${TESSALOR_DATA_DIR}/icons/tessalor-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tessalor.png)
endforeach()

# The project has no mail address or domain of its own: the package names
# the one who built it, as Debian's tools do ($DEBEMAIL, then $EMAIL), or
# else the author of the last commit, the project's own record of who made it.
set(tessalor_mail "$ENV{DEBEMAIL}")
if(NOT tessalor_mail)
  set(tessalor_mail "$ENV{EMAIL}")
endif()
if(NOT tessalor_mail)
  execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} log -1 --format=%ae
                  OUTPUT_VARIABLE tessalor_mail OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()

# Manual pages and the changelog, compressed as Debian wants them: gzip -9n
# keeps no name and no time, so the bytes depend on the text alone.
set(tessalor_compressed)
function(tessalor_gzip src dst)
  get_filename_component(dir ${CMAKE_BINARY_DIR}/packaging/${dst} DIRECTORY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${dst}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND gzip -9n -c ${src} > ${CMAKE_BINARY_DIR}/packaging/${dst}
    DEPENDS ${src})
  set(tessalor_compressed ${tessalor_compressed} ${CMAKE_BINARY_DIR}/packaging/${dst} PARENT_SCOPE)
endfunction()
tessalor_gzip(${CMAKE_SOURCE_DIR}/man/tessalor.6 man/man6/tessalor.6.gz)
tessalor_gzip(${CMAKE_SOURCE_DIR}/man/tessalor-levels.6 man/man6/tessalor-levels.6.gz)
tessalor_gzip(${CMAKE_SOURCE_DIR}/man/fr/tessalor.6 man/fr/man6/tessalor.6.gz)
configure_file(packaging/debian/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
tessalor_gzip(${CMAKE_BINARY_DIR}/packaging/changelog doc/changelog.gz)
add_custom_target(tessalor_package_files ALL DEPENDS ${tessalor_compressed})
install(DIRECTORY ${CMAKE_BINARY_DIR}/packaging/man/ DESTINATION ${CMAKE_INSTALL_MANDIR})
install(FILES packaging/debian/copyright ${CMAKE_BINARY_DIR}/packaging/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessalor)

# cpack -G DEB: the package's library dependencies come from the binaries
# (shlibdeps).
set(CPACK_PACKAGE_NAME tessalor)
set(CPACK_PACKAGE_VENDOR "Tessalor developers")
set(CPACK_PACKAGE_CONTACT "Tessalor developers <${tessalor_mail}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pentomino puzzle game: fill shapes with the twelve pieces")
# The extended description; cpack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tessalor draws a shape on a board of sixteen by sixteen squares: a
rectangle, a snail, a gorilla. Fill it with the twelve pentominoes, the
pieces made of five squares: take each piece from the racks beside the
board, turn it, flip it and drop it with the mouse or the keyboard.
.
A saved game moves from shape to shape and remembers the solved ones; a
random shape can be played too. Hints tell whether the shape can still be
finished. The game speaks French.
.
The package also holds tessalor-levels, the tool that checks, solves and
builds the level packs.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The one dependency no library link shows: the face fontconfig gives for
# Arial. The help page opens in the desktop's browser through xdg-open.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_STRIP_FILES ON)

# Byte-reproducible packages: every file dated SOURCE_DATE_EPOCH, taken from
# the last commit when unset, and the same modes whatever the umask.
set(tessalor_epoch "$ENV{SOURCE_DATE_EPOCH}")
if(NOT tessalor_epoch)
  execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE tessalor_epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(tessalor_epoch)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/cpack_stage.cmake.in
                 ${CMAKE_BINARY_DIR}/packaging/cpack_stage.cmake @ONLY)
  set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/packaging/cpack_stage.cmake)
  set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_BINARY_DIR}/packaging/cpack_stage.cmake)
endif()
