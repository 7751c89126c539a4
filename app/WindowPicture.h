#pragma once
// What a teacher takes away from a window: a PNG picture of its client
// area, exactly as formshot renders that window in that state (saved where
// the user chooses in a file dialog, written to a temporary file and renamed
// over the target), and values put on the clipboard as text.
#include <string>
#include <string_view>
#include <vector>

#include "app/ColorEntry.h"

namespace tintoral {

class TForm;

// Asks for a file name (starting from `defaultName` in the user's pictures
// folder) and saves the picture there; nothing when the dialog is cancelled.
// A name without ".png" gets it. Raises FileError when the file cannot be
// written. Returns the path written, or an empty text.
std::string SaveWindowPictureAs(TForm& window, const std::string& defaultName);
// "PREFIX-RRGGBB.png" for the colour the sliders set.
std::string PictureFileName(std::string_view prefix, const TSliderColor& color);
// The picture itself, written to `path`.
void SaveWindowPicture(TForm& window, const std::string& path);

// Rows of cells as tab-separated lines (Windows-1252 in; the clipboard gets
// Unicode).
std::string TabSeparated(const std::vector<std::vector<std::string>>& rows);
void CopyTextToClipboard(const std::string& text);

}  // namespace tintoral
