# The installed layout (cmake --install, and the .deb built from it):
#   bin/tintoral                      link to the program
#   lib/tintoral/tintoral             the program
#   lib/tintoral/libiOPC.so           the OPC UA link library, beside the
#                                     program, where the data link looks first
#   lib/tintoral/opcua-helper/        its Node.js helper with node_modules
#   share/applications, share/icons/hicolor, share/metainfo
#                                     desktop entry, icon, AppStream metadata
#   share/tintoral/screenshots/       the screenshot the metadata shows
include(GNUInstallDirs)

set(TINTORAL_VERSION 1.0)
set(TINTORAL_RELEASE_DATE 2026-12-07)
set(TINTORAL_APP_ID org.tintoral.Tintoral)
set(TINTORAL_WEBSITE "https://tintoral.org" CACHE STRING
  "Web address of the project; the AppStream metadata points to its screenshot there")
set(TINTORAL_INSTALL_PROGRAM_DIR lib/tintoral)
set(TINTORAL_INSTALL_HELPER_DIR ${TINTORAL_INSTALL_PROGRAM_DIR}/opcua-helper)

# Sanitizer builds are for tests only: nothing of them is installed or packaged.
if(TINTORAL_SANITIZE OR TINTORAL_SANITIZE_THREAD)
  set(TINTORAL_PACKAGING OFF)
else()
  set(TINTORAL_PACKAGING ON)
endif()
