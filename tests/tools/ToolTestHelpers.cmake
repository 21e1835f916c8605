# What the scripts that run the built tool share: a fresh scratch directory,
# running the tool with an expected exit status, and matching its output.
# Expects -DTOOL=<tool> -DEXAMPLES=<examples dir> -DWORK=<scratch dir>.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failures 0)

function(run_tool expected_status out_var err_var)
  execute_process(COMMAND ${TOOL} ${ARGN} RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL expected_status)
    message(SEND_ERROR "tralvex ${ARGN}: exit status ${status}, expected ${expected_status}\n${out}${err}")
  endif()
  set(${out_var} "${out}" PARENT_SCOPE)
  set(${err_var} "${err}" PARENT_SCOPE)
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

