// The MQTT link library: the link interface (linklib/LinkExports.cpp) over
// one MqttLink. Loading the library starts nothing; a broker's thread
// starts with its first item.
#include "linklib/LinkExports.h"
#include "linklib/mqtt/MqttLink.h"

tintoral::linklib::Link& tintoral::linklib::TheLink() {
  static mqtt::MqttLink link;
  return link;
}
