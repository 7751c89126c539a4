#pragma once
// What the program carries inside itself, embedded from app/forms and
// app/resources at build time, so that it reads no files at run time.
#include <cstdint>
#include <span>
#include <string_view>

namespace tintoral {

// The window layouts as text form files (Windows-1252 bytes).
std::string_view MainFormText();
std::string_view AboutBoxText();
std::string_view TestSignalsFormText();

// The About box picture: a PNG stream.
std::span<const std::uint8_t> AboutPicturePng();

}  // namespace tintoral
