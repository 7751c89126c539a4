#pragma once
// MQTT payloads as item values, and values written as payloads.
//
// A payload (UTF-8) is read as: "true" or "false" (any case) a Boolean; a
// decimal number a 32-bit integer when it is a whole number in range, else a
// double; a JSON string its text; anything else its text as it is. With a
// field path the payload must be JSON and the value is the one at the path
// (a number, Boolean or string as above, null as Empty, an object or array
// as its JSON text). Texts reach the data link in Windows-1252.
//
// A written value is published as its text ("true"/"false", decimal numbers,
// texts in UTF-8); with a field path, as a JSON object holding the value at
// that path ({"reading":{"value":5}}).
#include <optional>
#include <string>
#include <vector>

#include "instruments/opc/LinkLibrary.h"
#include "linklib/LinkValue.h"

namespace tintoral::mqtt {

// nullopt with `problem` when the path does not lead to a value.
std::optional<linklib::LinkValue> DecodePayload(const std::string& payload, const std::vector<std::string>& path,
                                                std::string& problem);

std::string EncodePayload(const IOPCVariant& value, const std::vector<std::string>& path);

}  // namespace tintoral::mqtt
