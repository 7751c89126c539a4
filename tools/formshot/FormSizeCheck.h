#pragma once
// A control whose size cannot be drawn (a side below 0 or above the largest
// bitmap, or more pixels in all than a bitmap holds) is a mistake in the
// form file: named with the file and the line when the form is read, rather
// than as a drawing error of the whole window later.
#include <string>
#include <string_view>

namespace tintoral {

class TComponent;

// Raises StreamError "Line N: 'NAME' cannot be drawn with Width = -50: ..."
// for the first negative size the text gives, else "Line N: 'NAME' (CLASS)
// cannot be drawn at W x H pixels: ..." (the client size) for the first
// control too large among `root` and the components it owns; `text` is the
// form's text.
void CheckDrawableSizes(const TComponent& root, std::string_view text);
// The second part alone.
void CheckControlSizes(const TComponent& root, std::string_view text);

}  // namespace tintoral
