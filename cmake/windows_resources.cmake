# Windows: the resources built into tessalor.exe.
# SPDX-License-Identifier: GPL-3.0-or-later
# Its icon, its version information and its manifest (DPI awareness, UTF-8
# code page, supported systems).
set(rc ${CMAKE_BINARY_DIR}/generated/tessalor.rc)
set(TESSALOR_RC_ICON ${TESSALOR_DATA_DIR}/icons/tessalor.ico)
set(TESSALOR_RC_MANIFEST ${CMAKE_SOURCE_DIR}/packaging/windows/tessalor.manifest)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/tessalor.rc.in ${rc} @ONLY)
set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${TESSALOR_RC_ICON};${TESSALOR_RC_MANIFEST}")
target_sources(tessalor PRIVATE ${rc})
set_target_properties(tessalor PROPERTIES WIN32_EXECUTABLE ON)
