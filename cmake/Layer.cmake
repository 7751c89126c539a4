# tintoral_layer(NAME DIR DEPS...): a static library made of every .cpp in DIR.
function(tintoral_layer name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()  # a layer with headers only
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
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
