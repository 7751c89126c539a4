# cpack: two Debian packages of the installed layout (cmake/Install.cmake),
# one per component: tintoral, the teaching program, and tintoral-panels,
# the panel developer's kit. The shared-library dependencies are computed
# from the binaries; the rest are what the programs load by other means: the
# Qt platform plugins, the fonts the forms' faces resolve to
# (platform/graphics/FontSubstitution.cpp), and for the kit Node.js, which
# runs the OPC UA link library's helper.
if(NOT TINTORAL_PACKAGING)
  return()
endif()
tintoral_install_panel_kit()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program panels)
set(CPACK_PACKAGE_NAME tintoral)
set(CPACK_PACKAGE_VERSION ${TINTORAL_VERSION})
set(CPACK_PACKAGE_VENDOR "Tintoral team")
set(CPACK_PACKAGE_CONTACT "Tintoral team <team@tintoral.org>" CACHE STRING "Maintainer of the .deb")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TINTORAL_WEBSITE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(runtime_depends "qt6-qpa-plugins, fonts-liberation2, fonts-dejavu-core, fonts-urw-base35, fonts-comic-neue")

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME tintoral)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS "${runtime_depends}")
set(CPACK_COMPONENT_PROGRAM_DESCRIPTION
  "teaching program on the signals of colour television\n\
Tintoral is a Spanish-language teaching window that shows how a colour TV system\n\
turns R, G and B into the luminance Y and the signals R-Y, B-Y, V and U,\n\
with a small vectorscope.")

set(CPACK_DEBIAN_PANELS_PACKAGE_NAME tintoral-panels)
set(CPACK_DEBIAN_PANELS_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PANELS_PACKAGE_DEPENDS "${runtime_depends}, nodejs (>= 18)")
# The Modbus and MQTT link libraries' libmodbus5 and libmosquitto1 come from
# their shared-library dependencies; the examples run on pymodbus and
# mosquitto.
set(CPACK_DEBIAN_PANELS_PACKAGE_SUGGESTS "python3-pymodbus, mosquitto, mosquitto-clients")
set(CPACK_COMPONENT_PANELS_DESCRIPTION
  "tools for live instrument panels from text form files\n\
panelview opens a form file of instruments in a window with its data-link\n\
items connected, formshot renders one to a PNG and prints the reference of\n\
every form class, and paneldesigner places, sizes and binds instruments with\n\
the mouse and saves the form file. With the OPC UA link library and its\n\
Node.js helper, the Modbus TCP and MQTT link libraries, and a link library\n\
that simulates a server for panels without one.")
include(CPack)
