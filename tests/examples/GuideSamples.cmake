# Builds the samples of docs/guide.md (examples/) against the installed
# package, as another project builds them, runs each one and compares what
# it prints with the output stored beside it, so the guide cannot go stale.
#
# Expects -DBUILD_DIR -DSOURCE_DIR -DWORK -DC_COMPILER -DCXX_COMPILER. For
# Windows programs: -DTOOLCHAIN_FILE, -DRUNNER (what runs a Windows program
# here) and -DRUN (OFF builds without running: 32-bit programs cannot run
# on this machine).
cmake_minimum_required(VERSION 3.20)
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
set(examples ${SOURCE_DIR}/examples)
if(NOT DEFINED RUN)
  set(RUN ON)
endif()

function(check what status out err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${out}${err}")
  endif()
endfunction()

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  check("${what}" "${status}" "${out}" "${err}")
endfunction()

run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# ---- Build ---------------------------------------------------------------
set(flags "-Wall -Wextra -Werror")
set(link_flags "")
if(TOOLCHAIN_FILE)
  # A cross build looks for packages under its own root only: name the
  # package's folder instead. The programs need no runtime DLL beside them.
  file(GLOB config ${prefix}/lib/cmake/Tralvex/TralvexConfig.cmake)
  get_filename_component(config_dir "${config}" DIRECTORY)
  set(find_args -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN_FILE} -DTralvex_DIR=${config_dir})
  set(link_flags "-static")
else()
  set(find_args -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_C_COMPILER=${C_COMPILER}
                -DCMAKE_CXX_COMPILER=${CXX_COMPILER})
endif()
run("configure the samples" ${CMAKE_COMMAND} -S ${examples} -B ${WORK}/samples ${find_args}
    -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_C_FLAGS=${flags}" "-DCMAKE_CXX_FLAGS=${flags}"
    "-DCMAKE_EXE_LINKER_FLAGS=${link_flags}" "-DCMAKE_SHARED_LINKER_FLAGS=${link_flags}")
run("build the samples" ${CMAKE_COMMAND} --build ${WORK}/samples --parallel 2)

# A library of the family is found in the directory of the Tralvex library.
if(TOOLCHAIN_FILE)
  set(library_dir ${prefix}/bin)
  file(COPY ${WORK}/samples/NotesStore.dll DESTINATION ${library_dir})
else()
  file(GLOB library ${prefix}/lib*/libtralvex.so ${prefix}/lib/*/libtralvex.so)
  get_filename_component(library_dir "${library}" DIRECTORY)
  file(COPY ${WORK}/samples/NotesStore.so DESTINATION ${library_dir})
endif()
if(NOT RUN)
  message(STATUS "samples built, not run")
  return()
endif()

# ---- Run -----------------------------------------------------------------
# The programs take the examples' directory as the system names it.
if(TOOLCHAIN_FILE)
  string(REPLACE "/" "\\" examples_arg "Z:${examples}")
  string(REPLACE "/" "\\" library_path "Z:${library_dir}")
  set(program_suffix ".exe")
  set(launch ${CMAKE_COMMAND} -E env "WINEPATH=${library_path}" LC_ALL=C ${RUNNER})
else()
  set(examples_arg ${examples})
  set(program_suffix "")
  set(launch ${CMAKE_COMMAND} -E env LC_ALL=C)
endif()

set(failures "")
# expect(EXPECTED-FILE COMMAND...): the command exits with 0, and its
# standard output and standard error, merged, equal the file, line ends
# aside. expect_output(EXPECTED-FILE STATUS COMMAND...): the command exits
# with STATUS, and its standard output alone equals the file.
function(expect expected)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${examples} RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE out)
  compare(${expected} 0 "${status}" "${out}")
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

function(expect_output expected wanted_status)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${examples} RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_QUIET)
  compare(${expected} ${wanted_status} "${status}" "${out}")
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

function(compare expected wanted_status status out)
  file(READ ${examples}/${expected} wanted)
  string(REPLACE "\r" "" out "${out}")
  string(REPLACE "\r" "" wanted "${wanted}")
  if(NOT out STREQUAL wanted OR NOT status STREQUAL wanted_status)
    file(WRITE ${WORK}/actual/${expected} "${out}")
    list(APPEND failures "${expected} (exit status ${status}); the output is in ${WORK}/actual")
    set(failures "${failures}" PARENT_SCOPE)
  endif()
endfunction()

function(sample name)
  expect(${ARGN} ${launch} ${WORK}/samples/${name}${program_suffix} ${examples_arg})
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

sample(hello c/hello.expected)
sample(first_lookup c/first_lookup.expected)
sample(sections c/sections.expected)
sample(context c/context.expected)
sample(missing_range c/missing_range.expected)
sample(formatting c/formatting.expected)
sample(error_boxes c/error_boxes.expected)
sample(library_errors c/library_errors.expected)
sample(window_hooks c/window_hooks.expected)
sample(buffers c/buffers.expected)
sample(built_in_texts c/built_in_texts.expected)
sample(error_list cpp/error_list.expected)

if(NOT TOOLCHAIN_FILE)
  # The user's locale chooses the built-in texts (read from the environment
  # here, so the locales need not be installed).
  set(program ${WORK}/samples/built_in_texts ${examples})
  expect(c/built_in_texts.de.expected ${CMAKE_COMMAND} -E env LC_ALL=de_DE.UTF-8 ${program})
  expect(c/built_in_texts.cs.expected ${CMAKE_COMMAND} -E env LC_ALL=cs_CZ.UTF-8 ${program})
  # Without a window system the default box goes to standard error.
  expect(c/default_box.expected ${launch} ${WORK}/samples/default_box)

  # The installed tool on the troubleshooting files.
  expect_output(troubleshooting/Usual.check.expected 1 ${prefix}/bin/tralvex check
                troubleshooting/Usual.msg)
  expect_output(partial/Tralvex.check.expected 1 ${prefix}/bin/tralvex check
                partial/Tralvex.ini)

  # The smallest program once more, built with pkg-config's flags.
  find_program(PKG_CONFIG pkg-config)
  if(PKG_CONFIG)
    set(ENV{PKG_CONFIG_PATH} ${library_dir}/pkgconfig)
    execute_process(COMMAND ${PKG_CONFIG} --cflags --libs tralvex RESULT_VARIABLE status
                    OUTPUT_VARIABLE pc_flags ERROR_VARIABLE err OUTPUT_STRIP_TRAILING_WHITESPACE)
    check("pkg-config --cflags --libs tralvex" "${status}" "${pc_flags}" "${err}")
    separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
    separate_arguments(compile_flags UNIX_COMMAND "${flags} ${link_flags}")
    run("build hello with pkg-config" ${C_COMPILER} ${compile_flags} ${examples}/c/hello.c
        ${pc_flags} -o ${WORK}/hello-pkg-config)
    expect(c/hello.expected ${launch} LD_LIBRARY_PATH=${library_dir} ${WORK}/hello-pkg-config
           ${examples})
  endif()
endif()

# ---- The excerpts of the guide and the README -----------------------------
# A fenced block of the document that follows a link to a file of examples/
# (or another such block, with nothing but blank lines between) must be a
# verbatim part of that file.
function(check_excerpts document)
  file(READ ${SOURCE_DIR}/${document} rest)
  set(marker "\\[`(examples/[^`]+)`\\]")
  set(source "")
  while(TRUE)
    string(FIND "${rest}" "```" open)
    if(open EQUAL -1)
      break()
    endif()
    string(SUBSTRING "${rest}" 0 ${open} before)
    string(REGEX MATCHALL "${marker}" links "${before}")
    if(links)
      list(GET links -1 link)
      string(REGEX REPLACE "${marker}" "\\1" source "${link}")
    elseif(NOT before MATCHES "^[ \n]*$")
      set(source "")
    endif()
    string(SUBSTRING "${rest}" ${open} -1 rest)
    string(FIND "${rest}" "\n" fence_end)
    math(EXPR fence_end "${fence_end} + 1")
    string(SUBSTRING "${rest}" ${fence_end} -1 rest)
    string(FIND "${rest}" "```" close)
    if(close EQUAL -1)
      list(APPEND failures "${document}: a code block is not closed")
      break()
    endif()
    string(SUBSTRING "${rest}" 0 ${close} block)
    if(source)
      file(READ ${SOURCE_DIR}/${source} content)
      string(REPLACE "\r" "" content "${content}")
      string(FIND "${content}" "${block}" found)
      if(found EQUAL -1)
        string(SUBSTRING "${block}" 0 60 start)
        string(REPLACE ";" "," start "${start}")
        list(APPEND failures "${document}: an excerpt is not in ${source}: ${start}...")
      endif()
    endif()
    math(EXPR close "${close} + 3")
    string(SUBSTRING "${rest}" ${close} -1 rest)
  endwhile()
  set(failures "${failures}" PARENT_SCOPE)
endfunction()
if(NOT TOOLCHAIN_FILE)
  check_excerpts(docs/guide.md)
  check_excerpts(README.md)
endif()

if(failures)
  string(REPLACE ";" "\n  " failures "${failures}")
  message(FATAL_ERROR "samples whose output differs from the stored one:\n  ${failures}")
endif()
