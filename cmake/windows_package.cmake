# Windows: everything in one folder, the program beside its DLLs, data, help
# SPDX-License-Identifier: GPL-3.0-or-later
# and fallback font, with the licence and every shipped library's notices.
# cpack makes the zip and the per-user NSIS installer, in the system's language.
install(TARGETS tessalor RUNTIME DESTINATION .)
install(FILES ${TESSALOR_WIN_DLLS} ${TESSALOR_WIN_FONTS} DESTINATION .)
# Texts as every Windows editor reads them: CR LF line ends, and a BOM that
# marks the French text as UTF-8.
function(tessalor_windows_text src dst bom)
  file(READ ${src} text)
  string(REPLACE "\n" "\r\n" text "${text}")
  if(bom)
    string(ASCII 239 187 191 mark)
    string(PREPEND text "${mark}")
  endif()
  file(WRITE ${CMAKE_BINARY_DIR}/generated/${dst} "${text}")
  install(FILES ${CMAKE_BINARY_DIR}/generated/${dst} DESTINATION .)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${src})
endfunction()
tessalor_windows_text(${CMAKE_SOURCE_DIR}/packaging/windows/LISEZMOI.txt LISEZMOI.txt ON)
tessalor_windows_text(${CMAKE_SOURCE_DIR}/LICENSE LICENSE.txt OFF)
tessalor_windows_text(${CMAKE_SOURCE_DIR}/packaging/windows/README.txt README.txt OFF)
# The notices scripts/windows collected from the libraries' source packages
# and the compiler's runtime, one folder or file per library, and the font's.
install(DIRECTORY ${TESSALOR_WIN_PREFIX}/share/licences/ DESTINATION licences)
install(FILES /usr/share/doc/fonts-liberation2/copyright DESTINATION licences
        RENAME LiberationSans.txt)
# The data files are made at build time, so they are gathered when installing.
install(CODE "
  file(GLOB tessalor_data_files \"${TESSALOR_DATA_DIR}/tessa32*.dat\")
  file(INSTALL \${tessalor_data_files} DESTINATION \"\${CMAKE_INSTALL_PREFIX}\")
  file(INSTALL \"${TESSALOR_DATA_DIR}/aidetessalor\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}\")
")

set(CPACK_PACKAGE_NAME tessalor)
set(CPACK_PACKAGE_VENDOR "Tessalor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "jeu de pentominos : remplir des formes avec les douze pièces")
set(CPACK_PACKAGE_FILE_NAME tessalor-${PROJECT_VERSION}-win64)
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tessalor)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tessalor)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_BINARY_DIR}/generated/LICENSE.txt)
set(CPACK_NSIS_PACKAGE_NAME Tessalor)
set(CPACK_NSIS_DISPLAY_NAME Tessalor)
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")
set(CPACK_NSIS_MUI_ICON ${TESSALOR_DATA_DIR}/icons/tessalor.ico)
set(CPACK_NSIS_MUI_UNIICON ${TESSALOR_DATA_DIR}/icons/tessalor.ico)

# Our own installer script (packaging/windows/NSIS.template.in): the eight
# languages, 64-bit like the game, for the user alone, without CMake's PATH page.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/packaging/windows)
