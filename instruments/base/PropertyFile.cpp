// Property files: writing and applying an object's published properties as
// "Name = value" lines.
#include "instruments/base/PropertyFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "instruments/base/PropertyWalk.h"
#include "runtime/Exception.h"
#include "runtime/Identifiers.h"
#include "runtime/NumberText.h"
#include "runtime/Persistent.h"
#include "runtime/ScopeExit.h"
#include "system/AtomicFile.h"

namespace tintoral {
namespace {

constexpr std::size_t kMaxLineLength = 255;
constexpr char kFileTypeLine[] = "File Type = ";
constexpr char kSaveError[] = "Error Saving Properties - ";
constexpr char kLoadError[] = "Error Loading Properties - ";

constexpr std::array kCommonControlProperties = {"Left",     "Top", "Width",   "Height",  "Align", "Cursor",
                                                 "ShowHint", "Tag", "Visible", "Enabled", "Hint",  "HelpContext"};

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Cut(std::string text) {
  if (text.size() > kMaxLineLength) text.resize(kMaxLineLength);
  return text;
}

// --- Saving ----------------------------------------------------------------------

bool IsExcluded(const std::string& fullName, bool saveAllProperties) {
  if (SameText(fullName, "Name")) return true;
  if (saveAllProperties) return false;
  return std::any_of(kCommonControlProperties.begin(), kCommonControlProperties.end(),
                     [&](const char* name) { return SameText(fullName, name); });
}

long double FloatTypeMax(TFloatType type) {
  switch (type) {
    case ftSingle: return FLT_MAX;
    case ftDouble: return DBL_MAX;
    default: return LDBL_MAX;
  }
}

// The value as the property's type stores it; one beyond the type's range
// stays as it is.
long double AsFloatType(long double value, TFloatType type) {
  if (std::isfinite(value) && std::fabs(value) > FloatTypeMax(type)) return value;
  switch (type) {
    case ftSingle: return static_cast<float>(value);
    case ftDouble: return static_cast<double>(value);
    default: return value;
  }
}

bool SameFloat(long double a, long double b, TFloatType type) {
  const long double x = AsFloatType(a, type);
  const long double y = AsFloatType(b, type);
  return x == y || (std::isnan(x) && std::isnan(y));
}

// "INF", "-INF" and "NAN" as FloatToText writes them, or a number.
long double FloatFromText(const std::string& value) {
  if (value == "INF") return HUGE_VALL;
  if (value == "-INF") return -HUGE_VALL;
  if (value == "NAN") return NAN;
  return TextToFloat(value);
}

bool ReadsBackAs(const std::string& text, long double value, TFloatType type) {
  try {
    return SameFloat(FloatFromText(text), value, type);
  } catch (const ConvertError&) {
    return false;
  }
}

// The general float text when it reads back as the same value of the
// property's type, otherwise as many digits as that type needs to.
std::string ExactFloatText(long double value, TFloatType type) {
  std::string text = FloatToText(value);
  if (ReadsBackAs(text, value, type)) return text;
  return FloatToText(value, type == ftSingle ? 9 : type == ftDouble ? 17 : 21);
}

// The value text of a property, or false for kinds that are not written.
bool ValueText(const TPersistent& object, const TPropertyInfo& property, std::string& text) {
  const TTypeKind kind = property.Kind();
  if (IsOrdinalKind(kind) && kind != tkInt64) {
    text = std::to_string(property.GetOrdinal(object));
  } else if (kind == tkFloat) {
    text = ExactFloatText(property.GetFloat(object), property.FloatType());
  } else if (IsStringKind(kind)) {
    text = property.GetString(object);
  } else {
    return false;
  }
  return true;
}

// --- Loading ---------------------------------------------------------------------

std::vector<std::string_view> SplitLines(std::string_view contents) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < contents.size()) {
    const std::size_t end = contents.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(contents.substr(start));
      break;
    }
    lines.push_back(contents.substr(start, end - start));
    start = end + (contents[end] == '\r' && end + 1 < contents.size() && contents[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

// The file's lines, each used up by the first property that matches it.
class PropertyLines {
 public:
  explicit PropertyLines(std::string_view contents) {
    for (std::string_view line : SplitLines(contents)) lines_.push_back(SplitPropertyLine(line));
    used_.assign(lines_.size(), false);
  }

  // The value of the first unused line named `fullName`, which is used up.
  const std::string* Take(const std::string& fullName) {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      if (used_[i] || !SameText(lines_[i].name, fullName)) continue;
      used_[i] = true;
      return &lines_[i].value;
    }
    return nullptr;
  }

  // Every line unused again, for another pass.
  void Restore() { used_.assign(lines_.size(), false); }

 private:
  std::vector<TPropertyLine> lines_;
  std::vector<bool> used_;
};

// A float text in either decimal convention, taken to the locale's: the
// first "," becomes "." where the separator is ".", the first "." becomes ","
// where it is ",".
std::string WithLocaleSeparator(std::string value) {
  const char separator = FloatToText(1.1L)[1];
  const char other = separator == '.' ? ',' : separator == ',' ? '.' : '\0';
  if (other == '\0') return value;
  if (const std::size_t at = value.find(other); at != std::string::npos) value[at] = separator;
  return value;
}

void ApplyOrdinal(TPersistent& object, const TPropertyInfo& property, const std::string& fullName,
                  const std::string& value) {
  const std::int64_t ordinal = TextToInt(value);
  if (ordinal < property.MinValue() || ordinal > property.MaxValue())
    throw ConvertError("Value " + value + " is out of range for property '" + fullName + "'");
  property.SetOrdinal(object, ordinal);
}

void ApplyFloat(TPersistent& object, const TPropertyInfo& property, const std::string& fullName,
                const std::string& value) {
  const long double number = FloatFromText(WithLocaleSeparator(value));
  if (std::isfinite(number) && std::fabs(number) > FloatTypeMax(property.FloatType()))
    throw ConvertError("Value " + value + " is out of range for property '" + fullName + "'");
  property.SetFloat(object, number);
}

void ApplyValue(TPersistent& object, const TPropertyInfo& property, const std::string& fullName,
                const std::string& value) {
  const TTypeKind kind = property.Kind();
  if (kind == tkFloat) ApplyFloat(object, property, fullName, value);
  else if (IsStringKind(kind)) property.SetString(object, value);
  else if (IsOrdinalKind(kind) && kind != tkInt64) ApplyOrdinal(object, property, fullName, value);
}

// Whether the property holds the value a line gives it; a property without
// getter is taken to hold it.
bool Holds(const TPersistent& object, const TPropertyInfo& property, const std::string& value) {
  if (!property.HasGetter()) return true;
  const TTypeKind kind = property.Kind();
  if (kind == tkFloat)
    return SameFloat(property.GetFloat(object), FloatFromText(WithLocaleSeparator(value)), property.FloatType());
  if (IsStringKind(kind)) return property.GetString(object) == value;
  if (IsOrdinalKind(kind) && kind != tkInt64) return property.GetOrdinal(object) == TextToInt(value);
  return true;
}

// Applies the matching lines in walk order; after the first pass only to
// properties that do not hold their line's value. Returns whether any line
// was applied.
bool ApplyPass(TPersistent& root, PropertyLines& lines, bool firstPass) {
  bool applied = false;
  WalkProperties(
      root, true, [](const std::string&) { return true; },
      [&](const TPersistent& owner, const TPropertyInfo& property, const std::string& fullName) {
        const std::string* value = lines.Take(fullName);
        if (!value || (!firstPass && Holds(owner, property, *value))) return false;
        // The walk hands out the objects as it reads them; the root came in
        // writable and held objects are never const.
        ApplyValue(const_cast<TPersistent&>(owner), property, fullName, *value);
        applied = true;
        return false;
      });
  return applied;
}

// Setters depend on each other: Position is clamped into the range that
// PositionMax and PositionMin set after it, Orientation swaps Width and
// Height set before it. Lines that did not stick are applied again, so every
// saved value comes back whatever the order of the lines.
constexpr int kMaxRepeatPasses = 3;

void ApplyLines(TPersistent& root, PropertyLines& lines) {
  ApplyPass(root, lines, true);
  for (int pass = 0; pass < kMaxRepeatPasses; ++pass) {
    lines.Restore();
    if (!ApplyPass(root, lines, false)) break;
  }
}

// --- Files -----------------------------------------------------------------------

std::string SystemError() { return std::strerror(errno); }

std::string ReadFileBytes(const std::string& fileName) {
  errno = 0;
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw FileError("Cannot open file \"" + fileName + "\": " + SystemError());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw FileError("Cannot read file \"" + fileName + "\"");
  return std::move(bytes).str();
}

// Replaced whole or not at all: a crash or a full disk during the save
// leaves the user's old file.
void WriteFileBytes(const std::string& fileName, const std::string& bytes) {
  try {
    SaveFileAtomically(fileName, bytes);
  } catch (const AtomicSaveError& e) {
    throw FileError(e.what());
  }
}

}  // namespace

TPropertyLine SplitPropertyLine(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {};
  return {std::string(Trimmed(line.substr(0, equals))), std::string(Trimmed(line.substr(equals + 1)))};
}

std::vector<std::string> PropertyFileLines(const TPersistent& object, bool saveAllProperties) {
  try {
    std::vector<std::string> lines{Cut(kFileTypeLine + object.ClassName())};
    WalkProperties(
        object, true, [&](const std::string& fullName) { return !IsExcluded(fullName, saveAllProperties); },
        [&](const TPersistent& owner, const TPropertyInfo& property, const std::string& fullName) {
          std::string value;
          if (property.HasGetter() && ValueText(owner, property, value))
            lines.push_back(Cut(fullName + " = " + Cut(value)));
          return false;
        });
    return lines;
  } catch (const Exception& e) {
    throw Exception(kSaveError + e.Message());
  }
}

void SavePropertiesToFile(const TPersistent& object, const std::string& fileName, bool saveAllProperties) {
  const std::vector<std::string> lines = PropertyFileLines(object, saveAllProperties);
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  try {
    WriteFileBytes(fileName, bytes);
  } catch (const Exception& e) {
    throw Exception(kSaveError + e.Message());
  }
}

void LoadPropertiesFromText(TPersistent& object, std::string_view contents, const TPropertyUpdateHooks& hooks) {
  try {
    PropertyLines lines(contents);
    if (hooks.beginUpdate) hooks.beginUpdate();
    const TScopeExit endUpdate([&hooks] {
      if (hooks.endUpdate) hooks.endUpdate();
    });
    ApplyLines(object, lines);
  } catch (const Exception& e) {
    throw Exception(kLoadError + e.Message());
  }
}

void LoadPropertiesFromFile(TPersistent& object, const std::string& fileName, const TPropertyUpdateHooks& hooks) {
  std::string contents;
  try {
    contents = ReadFileBytes(fileName);
  } catch (const Exception& e) {
    throw Exception(kLoadError + e.Message());
  }
  LoadPropertiesFromText(object, contents, hooks);
}

void SetPropertyFromText(TPersistent& object, const TPropertyInfo& property, const std::string& fullName,
                         const std::string& value) {
  ApplyValue(object, property, fullName, value);
}

TTypeKind GetPropertyKind(const TPersistent& object, std::string_view fullName) {
  TTypeKind kind = tkUnknown;
  WalkProperties(
      object, false, [](const std::string&) { return true; },
      [&](const TPersistent&, const TPropertyInfo& property, const std::string& name) {
        if (!SameText(name, fullName)) return false;
        kind = property.Kind();
        return true;
      });
  return kind;
}

}  // namespace tintoral
