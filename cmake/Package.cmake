# cpack: a Debian package of the installed layout (cmake/Install.cmake).
# The shared-library dependencies are computed from the binaries; the rest
# are what the program loads by other means: the Qt platform plugins, the
# fonts its forms' faces resolve to (platform/graphics/FontSubstitution.cpp),
# and Node.js for the OPC UA link library's helper.
if(NOT TINTORAL_PACKAGING)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tintoral)
set(CPACK_PACKAGE_VERSION ${TINTORAL_VERSION})
set(CPACK_PACKAGE_VENDOR "Tintoral team")
set(CPACK_PACKAGE_CONTACT "Tintoral team <team@tintoral.org>" CACHE STRING "Maintainer of the .deb")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "teaching program on the signals of colour television")
set(CPACK_PACKAGE_DESCRIPTION
  "Tintoral is a Spanish-language teaching window that shows how a colour TV system\n\
turns R, G and B into the luminance Y and the signals R-Y, B-Y, V and U,\n\
with a small vectorscope. It also holds an OPC UA data link for live panels.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TINTORAL_WEBSITE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, fonts-liberation2, fonts-dejavu-core, fonts-urw-base35, fonts-comic-neue, nodejs (>= 18)")
include(CPack)
