# Writes the export list of the DLL from what the library really defines: the
# functions declared in the public header that the library's objects define.
# Every branch thus links with exactly the exports it has, and nothing of the
# C++ runtime leaks into the export table.
#
#   cmake -DNM=... -DARCHIVE=... -DHEADER=... -DLIBRARY=Tralvex.dll
#         -DOUTPUT=Tralvex.def -P GenerateDef.cmake
#
# The list keeps the stack-size suffix of 32-bit stdcall names ("Tralvex@0"):
# the linker strips it from the export names (--kill-at), and dlltool needs it
# to make an import library that stdcall callers can link against.
foreach(variable NM ARCHIVE HEADER LIBRARY OUTPUT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "GenerateDef.cmake: ${variable} is not set")
  endif()
endforeach()

# Functions of the C interface: "TRALVEX_API <result> TRALVEX_CALL <Name>(".
file(READ "${HEADER}" header)
string(REGEX MATCHALL "TRALVEX_API[^;{}#]*TRALVEX_CALL[ \t\r\n]+[A-Za-z_][A-Za-z_0-9]*[ \t\r\n]*\\("
       declarations "${header}")
set(declared "")
foreach(declaration IN LISTS declarations)
  string(REGEX REPLACE ".*TRALVEX_CALL[ \t\r\n]+([A-Za-z_][A-Za-z_0-9]*).*" "\\1" name
         "${declaration}")
  list(APPEND declared "${name}")
endforeach()
if(NOT declared)
  message(FATAL_ERROR "GenerateDef.cmake: no function found in ${HEADER}")
endif()

# Global code symbols the library defines: "<address> T <symbol>".
execute_process(COMMAND "${NM}" -g --defined-only "${ARCHIVE}"
                OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "GenerateDef.cmake: ${NM} failed on ${ARCHIVE}")
endif()
string(REGEX MATCHALL "[0-9a-fA-F]+ T [^\r\n]+" definitions "${symbols}")

set(exports "")
foreach(definition IN LISTS definitions)
  string(REGEX REPLACE "^[0-9a-fA-F]+ T " "" symbol "${definition}")
  # 32-bit C names carry a leading underscore, stdcall ones "@<bytes>" too.
  if(NOT symbol MATCHES "^_?([A-Za-z_][A-Za-z_0-9]*)(@[0-9]+)?$")
    continue()
  endif()
  set(name "${CMAKE_MATCH_1}")
  set(suffix "${CMAKE_MATCH_2}")
  list(FIND declared "${name}" index)
  if(index GREATER -1)
    list(APPEND exports "${name}${suffix}")
  endif()
endforeach()
list(REMOVE_DUPLICATES exports)
list(SORT exports)

set(text "; Generated at build time from the library's objects; do not edit.\n")
string(APPEND text "LIBRARY ${LIBRARY}\nEXPORTS\n")
foreach(export IN LISTS exports)
  string(APPEND text "  ${export}\n")
endforeach()

# Rewritten only when it changes, so that an unchanged list relinks nothing.
set(previous "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" previous)
endif()
if(NOT previous STREQUAL text)
  file(WRITE "${OUTPUT}" "${text}")
endif()
