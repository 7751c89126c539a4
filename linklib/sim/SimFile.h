#pragma once
// The simulation file: which items generate values, and how. One item a
// line; blank lines and text after # are ignored:
//
//   [SERVER :] ITEM = constant VALUE
//   [SERVER :] ITEM = ramp|sine|walk min NUMBER max NUMBER period SECONDS
//                     [step NUMBER (walk only)] [every SECONDS]
//
//   Tank = sine min 0 max 100 period 8
//   "opc.tcp://127.0.0.1:4840" : "ns=1;s=Level" = walk min 0 max 10 period 0.5 step 1
//   Message = constant "SIMULATED"
//
// A name with blanks, '=', ':', '#' or '"' is written in double quotes (a
// quote inside doubled). Without a server the line applies to the item on
// every server. `every` is how often the value is published (default 0.1 s).
//
// A line with a mistake is reported and left out; the other lines apply.
#include <stdexcept>
#include <string>
#include <vector>

#include "linklib/sim/Generator.h"

namespace tintoral::sim {

// "FILE:LINE: what is wrong".
class SimFileError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct SimItemSettings {
  bool anyServer = true;
  std::string server;
  std::string item;
  GeneratorSettings generator;
  int line = 0;
};

// The lines that read, and a "FILE:LINE: what is wrong" for each that did
// not (or "FILE: cannot be read").
struct SimFileContents {
  std::vector<SimItemSettings> items;
  std::vector<std::string> errors;
};

// `fileName` names the file in the messages.
SimFileContents ParseSimFile(const std::string& text, const std::string& fileName);
SimFileContents ReadSimFile(const std::string& path);

}  // namespace tintoral::sim
