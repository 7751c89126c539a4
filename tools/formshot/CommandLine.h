#pragma once
// The command line of formshot:
//   formshot FORM OUT.png [--set Component.Property=Value]... [--locale xx_YY]
#include <optional>
#include <string>
#include <vector>

#include "tools/formshot/PropertyAssignment.h"

namespace tintoral {

struct TFormShotOptions {
  std::string formPath;
  std::string pngPath;
  std::vector<TPropertyAssignment> assignments;  // in the order given
  std::optional<std::string> locale;             // decides the decimal separator
};

// Raises InvalidOperation with a one-line description of what is wrong.
TFormShotOptions ParseFormShotCommandLine(const std::vector<std::string>& args);

inline constexpr char kFormShotUsage[] =
    "usage: formshot FORM OUT.png [--set Component.Property=Value]... [--locale xx_YY]";

}  // namespace tintoral
