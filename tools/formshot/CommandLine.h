#pragma once
// The command line of formshot (--help and --version are answered before it
// is parsed, tools/support/ToolCommandLine.h).
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
  bool classicColors = false;                    // the classic system-colour table, not Qt's default palette
  bool classes = false;                          // --classes: print the class reference instead
};

// Raises InvalidOperation with a one-line description of what is wrong.
TFormShotOptions ParseFormShotCommandLine(const std::vector<std::string>& args);

inline constexpr char kFormShotUsage[] = "formshot FORM OUT.png [OPTION]...";
inline constexpr char kFormShotSummary[] =
    "Renders the client area of a text form file off-screen and writes it as a PNG picture.";
inline constexpr char kFormShotOptions[] =
    "  --set Component.Property=Value  set a property after loading (repeatable, applied in order)\n"
    "  --locale xx_YY                  take the decimal separator of that locale\n"
    "  --classic-colors                draw system colours from the classic table instead of\n"
    "                                  the desktop's default palette\n"
    "  --classes                       print the reference of every form class as Markdown\n"
    "                                  instead (no FORM or OUT.png then)";

}  // namespace tintoral
