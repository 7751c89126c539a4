#pragma once
// What makes an item read from a form unable to work, told when the form is
// read rather than left to show as a readout that never moves: a
// PropertyName that names no published property of the instrument, or one
// of a kind no value can be written to (an event), an item that names no
// server and no group, or no item.
#include <string>

namespace tintoral {

class TiOPCItem;

// "" when the item's settings can work; else one sentence saying what is
// wrong. `ownerClass` names the instrument's class in the sentence.
std::string ItemSettingsMistake(const TiOPCItem& item, const std::string& ownerClass);

}  // namespace tintoral
