# The layers of Setup.exe, top to bottom: one static library per folder, and the folders each may
# use. The same list is linked (target_link_libraries) and checked on every build: an include of
# a folder that is not listed for the including folder fails the build, before anything compiles.
# The README's layout section shows this table; keep the two equal.
set(SETUP_LAYERS
    "main: prepare pages app localisation winfx util core"
    "prepare: pages install uninstall upgrade record app localisation winfx util core"
    "pages: install uninstall upgrade record app localisation winfx util core"
    "install: record app util core"
    "uninstall: record app util core"
    "upgrade: record app util core"
    "record: app util core"
    "app: localisation util core"
    "localisation: util core"
    "winfx: util core"
    "util: core"
    "core:")

# The folders `folder` may use, from the table.
function(setup_layer_uses folder out)
  foreach(row IN LISTS SETUP_LAYERS)
    if(row MATCHES "^${folder}:(.*)$")
      string(STRIP "${CMAKE_MATCH_1}" uses)
      separate_arguments(uses)
      set(${out} ${uses} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "${folder} is not in the layer table (cmake/layers.cmake)")
endfunction()

# The target name of a folder's library.
function(setup_layer_target folder out)
  if(folder STREQUAL "core")
    set(${out} setup_core PARENT_SCOPE)
  elseif(folder STREQUAL "winfx")
    set(${out} winfx PARENT_SCOPE)
  else()
    set(${out} setup_${folder} PARENT_SCOPE)
  endif()
endfunction()

# Adds the include check of `folder` as a step that `target` depends on: it runs whenever a
# source of the folder changes.
function(setup_layer_check folder target)
  setup_layer_uses(${folder} uses)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h
       ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${folder}_layer_check.stamp)
  string(REPLACE ";" "," uses "${uses}")
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -DUSES=${uses} -DROOT=${PROJECT_SOURCE_DIR}
            -DSTAMP=${stamp} -P ${PROJECT_SOURCE_DIR}/cmake/check_layer.cmake
    DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/check_layer.cmake
            ${PROJECT_SOURCE_DIR}/cmake/layers.cmake
    COMMENT "Checking the includes of ${folder}/ against the layer table"
    VERBATIM)
  add_custom_target(${folder}_layer_check DEPENDS ${stamp})
  add_dependencies(${target} ${folder}_layer_check)
endfunction()

# The library of one folder of Setup.exe: its sources (but those named after EXCLUDE), linked to
# the libraries of the folders it may use and to the system libraries named after LIBS, with the
# include check.
function(setup_layer_library folder)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "EXCLUDE;LIBS")
  setup_layer_uses(${folder} uses)
  setup_layer_target(${folder} target)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  foreach(excluded IN LISTS arg_EXCLUDE)
    list(REMOVE_ITEM sources ${PROJECT_SOURCE_DIR}/${folder}/${excluded})
  endforeach()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  foreach(used IN LISTS uses)
    setup_layer_target(${used} used_target)
    target_link_libraries(${target} PUBLIC ${used_target})
  endforeach()
  target_link_libraries(${target} PUBLIC ${arg_LIBS})
  setup_layer_check(${folder} ${target})
endfunction()
