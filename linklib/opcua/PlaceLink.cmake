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

# tintoral_place_protocol_links(TARGET): copies the link libraries of the
# other schemes beside the program TARGET too, where the data link looks
# first for the library of an item's scheme.
function(tintoral_place_protocol_links target)
  set(copies)
  foreach(link tintoral_modbuslink:libtintoralmodbus.so tintoral_mqttlink:libtintoralmqtt.so)
    string(REPLACE ":" ";" link ${link})
    list(GET link 0 link_target)
    list(GET link 1 file_name)
    set(copy ${CMAKE_CURRENT_BINARY_DIR}/${file_name})
    add_custom_command(OUTPUT ${copy}
      COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${link_target}> ${copy}
      DEPENDS ${link_target}
      COMMENT "Placing ${file_name} beside ${target}")
    list(APPEND copies ${copy})
  endforeach()
  add_custom_target(${target}_protocol_links DEPENDS ${copies})
  add_dependencies(${target} ${target}_protocol_links)
endfunction()

# tintoral_place_sim_link(TARGET): copies the simulation link library beside
# the program TARGET, where --sim looks for it (as in the installed layout).
function(tintoral_place_sim_link target)
  set(copy ${CMAKE_CURRENT_BINARY_DIR}/libtintoralsim.so)
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tintoral_simlink> ${copy}
    DEPENDS tintoral_simlink
    COMMENT "Placing the simulation link library beside ${target}")
  add_custom_target(${target}_sim_link DEPENDS ${copy})
  add_dependencies(${target} ${target}_sim_link)
endfunction()
