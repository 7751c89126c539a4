#include "tests/e2e/support/FormShot.h"

#include <cstdio>
#include <stdexcept>

#include "platform/graphics/Bitmap.h"
#include "tests/e2e/support/TemporaryPng.h"

namespace tintoral::e2e {
namespace {

// Shortest text that reads back as exactly the same double.
std::string ExactText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

}  // namespace

FormShot::FormShot(std::string program, std::string layout, std::optional<std::string> locale, Environment environment)
    : program_(std::move(program)),
      layout_(std::move(layout)),
      locale_(std::move(locale)),
      environment_(std::move(environment)) {}

void FormShot::Render(const std::vector<SliderPosition>& positions, TBitmap& into) const {
  TemporaryPng png;
  std::vector<std::string> argv{program_, layout_, png.Path()};
  for (const SliderPosition& p : positions) {
    argv.push_back("--set");
    argv.push_back(p.slider + ".Position=" + ExactText(p.position));
  }
  if (locale_) {
    argv.push_back("--locale");
    argv.push_back(*locale_);
  }
  if (RunCommand(argv, environment_).status != 0) throw std::runtime_error("formshot failed for " + layout_);
  png.Decode(into);
}

}  // namespace tintoral::e2e
