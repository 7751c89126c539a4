#pragma once
// What makes an item read from a form unable to work, told when the form is
// read rather than left to show as a readout that never moves: a
// PropertyName that names no published property of the instrument, or one
// of a kind no value can be written to (an event), an item that names no
// server and no group, or no item. A dotted name whose held object the
// instrument publishes without a setter (a trend chart's "Channel1.Value",
// taken over by the instrument itself) has no kind code: for such a name
// only its first part is checked.
#include <string>

namespace tintoral {

class TClassInfo;
class TiOPCItem;

// "" when the item's settings can work; else one sentence saying what is
// wrong. `ownerClass` is the instrument's class.
std::string ItemSettingsMistake(const TiOPCItem& item, const TClassInfo& ownerClass);

}  // namespace tintoral
