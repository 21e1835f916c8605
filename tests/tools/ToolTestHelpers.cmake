# What the scripts that run the built tool share: a fresh scratch directory,
# running the tool with an expected exit status, and matching its output.
# Expects -DTOOL=<tool> -DEXAMPLES=<examples dir> -DWORK=<scratch dir>.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failures 0)

# Every run is stopped after this many seconds: a hang fails the test rather
# than holding up the whole run. The figure is a guard, not a speed target.
set(TOOL_TIME_LIMIT 60)

function(run_tool expected_status out_var err_var)
  execute_process(COMMAND ${TOOL} ${ARGN} RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT ${TOOL_TIME_LIMIT})
  if(NOT status STREQUAL expected_status)
    message(SEND_ERROR "tralvex ${ARGN}: exit status ${status}, expected ${expected_status}\n${out}${err}")
  endif()
  set(${out_var} "${out}" PARENT_SCOPE)
  set(${err_var} "${err}" PARENT_SCOPE)
endfunction()

# Runs the tool with its standard output redirected by the shell, as in
# ">/dev/full" or ">&-" (closed).
function(run_tool_redirected redirection expected_status err_var)
  execute_process(COMMAND sh -c "\"$0\" \"$@\" ${redirection}" ${TOOL} ${ARGN}
                  RESULT_VARIABLE status ERROR_VARIABLE err TIMEOUT ${TOOL_TIME_LIMIT})
  if(NOT status STREQUAL expected_status)
    message(SEND_ERROR "tralvex ${ARGN} ${redirection}: exit status ${status}, expected ${expected_status}\n${err}")
  endif()
  set(${err_var} "${err}" PARENT_SCOPE)
endfunction()

# Writes what an awk program prints in its BEGIN block to a file: large
# generated fixtures, which a CMake loop would take seconds to build.
function(write_with_awk file program)
  execute_process(COMMAND awk "BEGIN { ${program} }" OUTPUT_FILE ${file} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "awk could not write ${file}")
  endif()
endfunction()

function(expect_match text pattern what)
  if(NOT text MATCHES "${pattern}")
    message(SEND_ERROR "${what}: no match for '${pattern}' in:\n${text}")
  endif()
endfunction()

function(expect_no_match text pattern what)
  if(text MATCHES "${pattern}")
    message(SEND_ERROR "${what}: unexpected '${pattern}' in:\n${text}")
  endif()
endfunction()
