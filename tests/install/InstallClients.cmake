# Installs the built project into a scratch prefix, then configures, builds
# and runs client programs against it: through find_package(Tralvex), and
# a C client through pkg-config.
# Expects -DBUILD_DIR -DSOURCE_DIR -DWORK -DC_COMPILER -DCXX_COMPILER and
# -DSANITIZE (the flags the library was built with, which its clients need).
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${out}${err}")
  endif()
  message(STATUS "${what}: ${out}")
endfunction()

run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(installed include/tralvex/tralvex.h include/tralvex/ErrorList.h bin/tralvex
        share/doc/Tralvex/tralvex.md)
  if(NOT EXISTS ${prefix}/${installed})
    message(FATAL_ERROR "${installed} is not installed")
  endif()
endforeach()

set(flags "")
set(link_flags "")
if(SANITIZE)
  set(flags "-fsanitize=address,undefined")
  set(link_flags "-fsanitize=address,undefined")
  # The library's C++ checks need clang's C++ part of the runtime, which
  # clang links into C programs only when asked.
  if(C_COMPILER MATCHES "clang")
    string(APPEND link_flags " -fsanitize-link-c++-runtime -lstdc++")
  endif()
endif()
run("configure the clients" ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/install/clients
    -B ${WORK}/clients -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_C_COMPILER=${C_COMPILER} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    "-DCMAKE_C_FLAGS=${flags}" "-DCMAKE_CXX_FLAGS=${flags}"
    "-DCMAKE_EXE_LINKER_FLAGS=${link_flags}")
run("build the clients" ${CMAKE_COMMAND} --build ${WORK}/clients)
run("run the C client" ${WORK}/clients/c_client)
run("run the C++ client" ${WORK}/clients/cpp_client)

# pkg-config, where it is installed.
find_program(PKG_CONFIG pkg-config)
if(PKG_CONFIG)
  file(GLOB pc_files ${prefix}/lib*/pkgconfig/tralvex.pc ${prefix}/lib/*/pkgconfig/tralvex.pc)
  list(GET pc_files 0 pc_file)
  get_filename_component(pc_dir ${pc_file} DIRECTORY)
  set(ENV{PKG_CONFIG_PATH} ${pc_dir})
  execute_process(COMMAND ${PKG_CONFIG} --cflags --libs tralvex
                  OUTPUT_VARIABLE pc_flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "pkg-config does not know tralvex")
  endif()
  separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
  separate_arguments(sanitize_flags UNIX_COMMAND "${link_flags}")
  file(GLOB catalogue ${prefix}/lib*/QelError.msg ${prefix}/lib/*/QelError.msg)
  run("build the C client with pkg-config" ${C_COMPILER} ${sanitize_flags}
      -DERROR_CATALOGUE="${catalogue}" ${SOURCE_DIR}/tests/install/clients/CClient.c
      ${pc_flags} -o ${WORK}/pc_client)
  string(REGEX MATCH "-L[^ ;]+" libdir_flag "${pc_flags}")
  string(SUBSTRING "${libdir_flag}" 2 -1 libdir)
  set(ENV{LD_LIBRARY_PATH} ${libdir})
  run("run the pkg-config client" ${WORK}/pc_client)
endif()
