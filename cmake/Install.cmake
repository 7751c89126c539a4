# The installed layout (cmake --install, and the two .deb built from it):
#   the teaching program (component "program", package tintoral):
#     bin/tintoral                    link to the program
#     lib/tintoral/tintoral           the program
#     share/applications, share/icons/hicolor, share/metainfo
#                                     desktop entry, icon, AppStream metadata
#     share/tintoral/screenshots/     the screenshot the metadata shows
#   the panel developer's kit (component "panels", package tintoral-panels):
#     bin/panelview, bin/formshot     links to the tools
#     lib/tintoral/panelview, formshot
#     lib/tintoral/libiOPC.so         the OPC UA link library, beside the
#                                     tools, where the data link looks first
#     lib/tintoral/opcua-helper/      its Node.js helper with node_modules
#     lib/tintoral/libtintoralsim.so  the simulation link library
#     share/doc/tintoral-panels/      the form reference and the example panel
include(GNUInstallDirs)

set(TINTORAL_VERSION 1.0)
set(TINTORAL_RELEASE_DATE 2026-12-07)
set(TINTORAL_APP_ID org.tintoral.Tintoral)
set(TINTORAL_WEBSITE "https://tintoral.org" CACHE STRING
  "Web address of the project; the AppStream metadata points to its screenshot there")
set(TINTORAL_INSTALL_PROGRAM_DIR lib/tintoral)
set(TINTORAL_INSTALL_HELPER_DIR ${TINTORAL_INSTALL_PROGRAM_DIR}/opcua-helper)
set(TINTORAL_INSTALL_KIT_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tintoral-panels)

# Sanitizer builds are for tests only: nothing of them is installed or packaged.
if(TINTORAL_SANITIZE OR TINTORAL_SANITIZE_THREAD)
  set(TINTORAL_PACKAGING OFF)
else()
  set(TINTORAL_PACKAGING ON)
endif()

# Whatever does not name its component belongs to the teaching program; the
# link libraries' folder (linklib/) names "panels" for its own.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME program)

# tintoral_install_node_modules(FOLDER DESTINATION): installs FOLDER's
# node_modules into DESTINATION (component "panels") with only what runs:
# without the packages FOLDER's package-lock.json marks as needed for
# development alone (such as a full server package for test servers), without
# the command links in .bin (for npm's scripts; some lead to those packages)
# and without the TypeScript sources and source maps that Node.js does not load.
function(tintoral_install_node_modules folder destination)
  install(CODE "
    if(NOT EXISTS \"${folder}/node_modules\")
      message(FATAL_ERROR \"${folder}/node_modules is missing: run scripts/setup.sh --opcua first\")
    endif()" COMPONENT panels)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${folder}/package-lock.json)
  file(READ ${folder}/package-lock.json lock)
  string(JSON packages GET "${lock}" packages)
  string(JSON count LENGTH "${packages}")
  math(EXPR last "${count} - 1")
  set(dev_only)
  foreach(index RANGE ${last})
    string(JSON path MEMBER "${packages}" ${index})
    string(JSON dev ERROR_VARIABLE not_marked GET "${packages}" "${path}" dev)
    if(path MATCHES "^node_modules/" AND dev)
      string(REPLACE "." "\\." pattern "${path}")  # package names hold no other special character
      list(APPEND dev_only REGEX "/${pattern}$" EXCLUDE)
    endif()
  endforeach()
  install(DIRECTORY ${folder}/node_modules DESTINATION ${destination} COMPONENT panels USE_SOURCE_PERMISSIONS
    PATTERN .package-lock.json.installed EXCLUDE PATTERN .bin EXCLUDE PATTERN *.ts EXCLUDE PATTERN *.map EXCLUDE ${dev_only})
endfunction()

# The panel developer's tools, the form reference and the example panel;
# called once every target exists.
function(tintoral_install_panel_kit)
  if(NOT TINTORAL_PACKAGING)
    return()
  endif()
  install(TARGETS panelview formshot paneldesigner RUNTIME DESTINATION ${TINTORAL_INSTALL_PROGRAM_DIR} COMPONENT panels)
  set(links ${PROJECT_BINARY_DIR}/panel-kit-bin)
  file(MAKE_DIRECTORY ${links})
  foreach(tool panelview formshot paneldesigner)
    file(CREATE_LINK ../${TINTORAL_INSTALL_PROGRAM_DIR}/${tool} ${links}/${tool} SYMBOLIC)
    install(FILES ${links}/${tool} DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT panels)
  endforeach()
  install(FILES ${PROJECT_SOURCE_DIR}/docs/forms.md DESTINATION ${TINTORAL_INSTALL_KIT_DOC_DIR} COMPONENT panels)
  install(FILES ${PROJECT_SOURCE_DIR}/examples/opcua/DemoPanel.txt ${PROJECT_SOURCE_DIR}/examples/opcua/DemoPanel.sim
    ${PROJECT_SOURCE_DIR}/examples/opcua/demo-server.mjs
    DESTINATION ${TINTORAL_INSTALL_KIT_DOC_DIR}/examples COMPONENT panels)
  install(FILES ${PROJECT_SOURCE_DIR}/examples/modbus/ModbusPanel.txt ${PROJECT_SOURCE_DIR}/examples/modbus/plant-server.py
    DESTINATION ${TINTORAL_INSTALL_KIT_DOC_DIR}/examples/modbus COMPONENT panels)
  install(FILES ${PROJECT_SOURCE_DIR}/examples/mqtt/MqttPanel.txt
    DESTINATION ${TINTORAL_INSTALL_KIT_DOC_DIR}/examples/mqtt COMPONENT panels)
endfunction()
