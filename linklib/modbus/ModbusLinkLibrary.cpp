// The Modbus TCP link library: the link interface (linklib/LinkExports.cpp)
// over one ModbusLink. Loading the library starts nothing; a server's
// thread starts with its first item.
#include "linklib/LinkExports.h"
#include "linklib/modbus/ModbusLink.h"

tintoral::linklib::Link& tintoral::linklib::TheLink() {
  static modbus::ModbusLink link;
  return link;
}
