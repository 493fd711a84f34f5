# Each layer is a static library that sees the headers of the layers it links
# and no others. Its folder's headers are linked into a tree of its own in the
# build (build/layers/TARGET/folder/x.h), and only that tree is on the include
# path of whoever links the target: an include from a layer above is "No such
# file", and a call upward an undefined reference (tests/layers checks both).

set(QV_LAYER_TREES ${CMAKE_BINARY_DIR}/layers)

# qv_publish_headers(TARGET FOLDER [HEADERS name.h...]): the folder's headers
# (or only those named) on the include path of TARGET and of whoever links it.
function(qv_publish_headers target folder)
  set(tree ${QV_LAYER_TREES}/${target})
  file(REMOVE_RECURSE ${tree}/${folder})
  file(MAKE_DIRECTORY ${tree}/${folder})
  if(ARGN)
    list(TRANSFORM ARGN PREPEND ${QV_SOURCE_ROOT}/${folder}/ OUTPUT_VARIABLE headers)
  else()
    file(GLOB headers CONFIGURE_DEPENDS ${QV_SOURCE_ROOT}/${folder}/*.h)
  endif()
  foreach(header IN LISTS headers)
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${tree}/${folder}/${name} SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${tree})
  else()
    target_include_directories(${target} PUBLIC ${tree})
  endif()
endfunction()

# The folder of TARGET's tree where generated headers go, so they are
# published like the folder's own.
function(qv_generated_header_dir target folder out)
  set(${out} ${QV_LAYER_TREES}/${target}/${folder} PARENT_SCOPE)
endfunction()

# qv_layer(NAME FOLDER folder SOURCES... [HEADERS names...] [LINKS layers...]
#          [PRIVATE_LINKS libs...]): one layer: its library, its headers (all of
# the folder's, or those named) published, the layers below it linked.
function(qv_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 L "" "FOLDER" "SOURCES;HEADERS;LINKS;PRIVATE_LINKS")
  add_library(${name} STATIC ${L_SOURCES})
  qv_publish_headers(${name} ${L_FOLDER} ${L_HEADERS})
  target_link_libraries(${name} PUBLIC ${L_LINKS} PRIVATE ${L_PRIVATE_LINKS})
  set_property(GLOBAL APPEND PROPERTY QV_LAYERS ${name})
endfunction()
