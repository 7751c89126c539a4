#pragma once
// The link interface's exported functions (LinkExports.cpp) over the one
// link of a link library, which the library defines: a Modbus or MQTT link
// made at its first use, so that loading the library starts nothing.
#include "linklib/LinkCore.h"

namespace tintoral::linklib {

Link& TheLink();

}  // namespace tintoral::linklib
