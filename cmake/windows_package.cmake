# Windows: everything in one folder, the program beside its DLLs, data, help
# and fallback font. cpack makes the zip and the per-user NSIS installer.
# SPDX-License-Identifier: GPL-3.0-or-later
install(TARGETS tessalor RUNTIME DESTINATION .)
install(FILES ${TESSALOR_WIN_DLLS} ${TESSALOR_WIN_FONTS} DESTINATION .)
install(FILES packaging/windows/LISEZMOI.txt packaging/windows/README.txt DESTINATION .)
install(FILES /usr/share/doc/fonts-liberation2/copyright DESTINATION . RENAME LiberationSans-licence.txt)
# The data files are made at build time, so they are gathered when installing.
install(CODE "
  file(GLOB tessalor_data_files \"${TESSALOR_DATA_DIR}/tessa32*.dat\")
  file(INSTALL \${tessalor_data_files} DESTINATION \"\${CMAKE_INSTALL_PREFIX}\")
  file(INSTALL \"${TESSALOR_DATA_DIR}/aidetessalor\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}\")
")

set(CPACK_PACKAGE_NAME tessalor)
set(CPACK_PACKAGE_VENDOR "Tessalor")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "jeu de pentaminos : remplir des formes avec les douze pièces")
set(CPACK_PACKAGE_FILE_NAME tessalor-${PROJECT_VERSION}-win64)
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tessalor)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tessalor)
set(CPACK_NSIS_PACKAGE_NAME Tessalor)
set(CPACK_NSIS_DISPLAY_NAME Tessalor)
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")
set(CPACK_NSIS_MENU_LINKS tessalor.exe Tessalor)
set(CPACK_NSIS_INSTALLED_ICON_NAME tessalor.exe)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)

# The installer CMake ships is a 32-bit program asking for administrator
# rights and installing for all users; ours is the same one, 64-bit (like the
# game, so a 64-bit Wine runs it) and for the user alone.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in nsis)
string(REPLACE "RequestExecutionLevel admin" "RequestExecutionLevel user\n  Target amd64-unicode"
       nsis "${nsis}")
string(REPLACE "SetShellVarContext all" "SetShellVarContext current" nsis "${nsis}")
file(WRITE ${CMAKE_BINARY_DIR}/nsis/NSIS.template.in "${nsis}")
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/nsis)
