# tintoral_place_opcua_link(TARGET): copies the OPC UA link library beside
# the program TARGET, where the data link looks first (a run path would not
# do: under the sanitizers dlopen does not see the program's run path).
function(tintoral_place_opcua_link target)
  set(copy ${CMAKE_CURRENT_BINARY_DIR}/libiOPC.so)
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tintoral_opcualink> ${copy}
    DEPENDS tintoral_opcualink
    COMMENT "Placing the OPC UA link library beside ${target}")
  add_custom_target(${target}_opcua_link DEPENDS ${copy})
  add_dependencies(${target} ${target}_opcua_link)
endfunction()
