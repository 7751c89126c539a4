# The include root of a source folder: a folder in the build tree that holds
# only that source folder, under its own path (a link), so that
# `#include "runtime/Variant.h"` finds the runtime there and nothing else.
# A target sees the roots of its own folder and of the layers it uses, so an
# include of a layer above it does not compile (tests/layering names it too).
function(tintoral_folder_root dir result)
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${dir})
  string(REPLACE "/" "-" name ${relative})
  set(root ${PROJECT_BINARY_DIR}/include-roots/${name})
  get_filename_component(parent ${root}/${relative} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${dir} ${root}/${relative} SYMBOLIC)
  set(${result} ${root} PARENT_SCOPE)
endfunction()

# tintoral_include_folders(TARGET SCOPE DIR...): TARGET sees the source
# folders DIR (paths relative to the top of the tree) through their roots.
function(tintoral_include_folders target scope)
  foreach(dir ${ARGN})
    tintoral_folder_root(${PROJECT_SOURCE_DIR}/${dir} root)
    target_include_directories(${target} ${scope} ${root})
  endforeach()
endfunction()

# tintoral_layer(NAME DIR DEPS...): a static library made of every .cpp in DIR,
# which sees its own folder and, through DEPS, those of the layers it uses.
function(tintoral_layer name dir)
  tintoral_folder_root(${dir} root)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${root})
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()  # a layer with headers only
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${root})
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# tintoral_test_program(NAME SOURCES DEPS...): one GoogleTest program, each
# test registered with CTest, run on Qt's offscreen platform.
function(tintoral_test_program name sources)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE tintoral_test_support ${ARGN})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# tintoral_tests(NAME DIR DEPS...): a test program from every .cpp in DIR and
# its subfolders.
function(tintoral_tests name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  tintoral_test_program(${name} "${sources}" ${ARGN})
endfunction()

# tintoral_tests_flat(NAME DIR DEPS...): like tintoral_tests, but only the .cpp
# files directly in DIR and in DIR/support (its other subfolders belong to
# other layers' test programs).
function(tintoral_tests_flat name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/support/*.cpp)
  tintoral_test_program(${name} "${sources}" ${ARGN})
endfunction()

# tintoral_layer_folders(RESULT): the layer folders of cmake/Layers.txt,
# lowest first (the folder before the ':' of each line that is not a comment).
function(tintoral_layer_folders result)
  file(STRINGS ${PROJECT_SOURCE_DIR}/cmake/Layers.txt lines REGEX "^[^#].*:")
  set(folders "")
  foreach(line ${lines})
    string(REGEX REPLACE ":.*" "" folder "${line}")
    list(APPEND folders ${folder})
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/Layers.txt)
  set(${result} ${folders} PARENT_SCOPE)
endfunction()
