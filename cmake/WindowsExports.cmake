# The export table and import library of the Windows DLL.
#
# The .def file is generated from the objects of the static archive (which
# holds the same objects as the DLL) before the DLL links. On 32-bit Windows
# the exports use stdcall: the linker drops the "@<bytes>" suffix from the
# exported names (--kill-at), and dlltool makes the import library from the
# decorated list (-k), so a stdcall caller's references to "_Name@N" resolve
# to the undecorated export "Name".
function(tralvex_windows_exports dll archive)
  set(def ${CMAKE_CURRENT_BINARY_DIR}/Tralvex.def)
  add_custom_command(
    OUTPUT ${def}
    COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DARCHIVE=$<TARGET_FILE:${archive}>
            -DHEADER=${PROJECT_SOURCE_DIR}/include/tralvex/tralvex.h -DLIBRARY=Tralvex.dll
            -DOUTPUT=${def} -P ${PROJECT_SOURCE_DIR}/cmake/GenerateDef.cmake
    DEPENDS ${archive} ${PROJECT_SOURCE_DIR}/include/tralvex/tralvex.h
            ${PROJECT_SOURCE_DIR}/cmake/GenerateDef.cmake
    COMMENT "Generating the export list of Tralvex.dll"
    VERBATIM)
  target_sources(${dll} PRIVATE ${def})
  # Only the .def decides what is exported, never an automatic export.
  target_link_options(${dll} PRIVATE -Wl,--exclude-all-symbols)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${dll} PRIVATE -Wl,--kill-at)
    add_custom_command(
      TARGET ${dll} POST_BUILD
      COMMAND ${CMAKE_DLLTOOL} -k -d ${def} -D Tralvex.dll -l $<TARGET_LINKER_FILE:${dll}>
      COMMENT "Making the stdcall import library of Tralvex.dll"
      VERBATIM)
  endif()
endfunction()
