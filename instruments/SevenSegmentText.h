#pragma once
// The text logic of the seven-segment readouts: which character each cell of
// the row shows for a value, and where the decimal mark goes. The result is
// a row of text characters ("0"…"9", " ", "+", "-", "<" up arrow, ">" down
// arrow) that the readouts map to cell shapes with CharToSevenSegment.
#include <cstdint>
#include <string>

#include "instruments/base/InstrumentTypes.h"

namespace tintoral {

struct SevenSegmentRow {
  // One character per drawn cell, left to right, the sign cell included.
  // With ilsNone the row may be shorter than the control's cell count: the
  // cells to its right are not drawn.
  std::string cells;
  // Number of cells drawn before the decimal mark, or -1 without a mark.
  int markAfterCell = -1;
  // '.' or ',' (the separator found in the value's text) when there is a mark.
  char markChar = '\0';
};

// The integer readout's row for `value`.
SevenSegmentRow IntegerReadoutRow(std::int32_t value, bool showSign, int digitCount, TiLeadingStyle leading);

// The analog readout's row for `value` with `precision` decimals; the text
// uses the locale's decimal separator (system/Locale.h).
SevenSegmentRow AnalogReadoutRow(double value, bool showSign, int digitCount, int precision, TiLeadingStyle leading);

// `text` padded on the left to `width` characters: "0" for ilsZeros, " " for
// ilsSpaces, unchanged for ilsNone or when it is long enough already.
std::string PadLeading(const std::string& text, int width, TiLeadingStyle leading);

}  // namespace tintoral
