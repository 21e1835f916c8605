# The bytes of the error catalogue the library ships (data/QelError.msg) as
# the elements of a char array, ErrorCatalogueBytes.inc, on the include path
# of a target that carries the library's error texts with it: the tool, and
# the fuzz targets built from its sources.
function(tralvex_embed_error_catalogue target)
  set(catalogue ${PROJECT_SOURCE_DIR}/data/QelError.msg)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${catalogue})
  file(READ ${catalogue} bytes HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
  set(directory ${CMAKE_CURRENT_BINARY_DIR}/generated)
  file(CONFIGURE OUTPUT ${directory}/ErrorCatalogueBytes.inc CONTENT "${bytes}\n")
  target_include_directories(${target} PRIVATE ${directory})
endfunction()
