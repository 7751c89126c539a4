# Link libraries are copied beside the programs that load them, where the
# data link looks first (a run path would not do: under the sanitizers
# dlopen does not see the program's run path).

# tintoral_place_libraries(TARGET NAME LIBRARY:FILE...): copies each LIBRARY
# target's file beside the program TARGET as FILE, through one custom target
# TARGET_NAME that TARGET depends on.
function(tintoral_place_libraries target name)
  set(copies)
  foreach(link ${ARGN})
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
  add_custom_target(${target}_${name} DEPENDS ${copies})
  add_dependencies(${target} ${target}_${name})
endfunction()

# tintoral_place_opcua_link(TARGET): the OPC UA link library.
function(tintoral_place_opcua_link target)
  tintoral_place_libraries(${target} opcua_link tintoral_opcualink:libiOPC.so)
endfunction()

# tintoral_place_protocol_links(TARGET): the link libraries of the other
# schemes, which the data link looks for beside the program by an item's scheme.
function(tintoral_place_protocol_links target)
  tintoral_place_libraries(${target} protocol_links
    tintoral_modbuslink:libtintoralmodbus.so tintoral_mqttlink:libtintoralmqtt.so)
endfunction()

# tintoral_place_sim_link(TARGET): the simulation link library, where --sim
# looks for it (as in the installed layout).
function(tintoral_place_sim_link target)
  tintoral_place_libraries(${target} sim_link tintoral_simlink:libtintoralsim.so)
endfunction()
