#include "tools/formshot/FormSizeCheck.h"

#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/window/Control.h"
#include "runtime/Exception.h"
#include "runtime/FormLexer.h"
#include "runtime/Identifiers.h"
#include "tools/formshot/FormWarnings.h"

namespace tintoral {
namespace {

bool Drawable(const TControl& control) {
  const std::int64_t width = control.ClientWidth(), height = control.ClientHeight();
  return width >= 0 && height >= 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide &&
         width * height <= kMaxBitmapPixels;
}

std::string Limits() {
  return "a control is 0 to " + std::to_string(kMaxBitmapSide) + " pixels a side and at most " +
         std::to_string(kMaxBitmapPixels) + " pixels in all";
}

bool IsSizeProperty(const std::string& name) {
  for (const char* size : {"Width", "Height", "ClientWidth", "ClientHeight"})
    if (SameText(name, size)) return true;
  return false;
}

// A negative size is held at 0 as it is read, so it is looked for in the
// text: "Width = -50" within an object, named with that object.
void CheckNegativeSizes(std::string_view text) {
  try {
    TFormLexer lexer(text);
    std::vector<std::string> objects;  // the objects and items the current line is in ("" for an item)
    std::vector<TToken> last;          // the tokens before the current one
    for (; lexer.Current().kind != TTokenKind::EndOfFile; lexer.Next()) {
      const TToken& token = lexer.Current();
      const std::size_t n = last.size();
      if (n >= 1 && token.kind == TTokenKind::Ident && SameText(last[n - 1].source, "object"))
        objects.push_back(token.source);
      else if (token.kind == TTokenKind::Ident && SameText(token.source, "item")) objects.push_back("");
      else if (token.kind == TTokenKind::Ident && SameText(token.source, "end") && !objects.empty()) objects.pop_back();
      const bool ownProperty = n < 3 || last[n - 3].source != ".";  // not Font.Height
      if (n >= 2 && token.kind == TTokenKind::Integer && token.integer < 0 && last[n - 1].source == "=" &&
          last[n - 2].kind == TTokenKind::Ident && IsSizeProperty(last[n - 2].source) && ownProperty &&
          !objects.empty() && !objects.back().empty())
        throw StreamError("Line " + std::to_string(token.line) + ": '" + objects.back() + "' cannot be drawn with " +
                          last[n - 2].source + " = " + std::to_string(token.integer) + ": " + Limits());
      last.push_back(token);
      if (last.size() > 3) last.erase(last.begin());
    }
  } catch (const StreamError& error) {
    if (error.Message().find("cannot be drawn") != std::string::npos) throw;
  }
}

}  // namespace

void CheckDrawableSizes(const TComponent& root, std::string_view text) {
  CheckNegativeSizes(text);
  CheckControlSizes(root, text);
}

void CheckControlSizes(const TComponent& root, std::string_view text) {
  if (const auto* control = dynamic_cast<const TControl*>(&root); control && !Drawable(*control)) {
    throw StreamError("Line " + std::to_string(ObjectLine(text, control->Name())) + ": '" + control->Name() + "' (" +
                      control->ClassName() + ") cannot be drawn at " + std::to_string(control->ClientWidth()) + " x " +
                      std::to_string(control->ClientHeight()) + " pixels: a control is 0 to " +
                      std::to_string(kMaxBitmapSide) + " pixels a side and at most " +
                      std::to_string(kMaxBitmapPixels) + " pixels in all");
  }
  for (int i = 0; i < root.ComponentCount(); ++i) CheckControlSizes(*root.Components(i), text);
}

}  // namespace tintoral
