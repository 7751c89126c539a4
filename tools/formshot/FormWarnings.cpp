#include "tools/formshot/FormWarnings.h"

#include "instruments/ShadowLabel.h"
#include "runtime/Exception.h"
#include "runtime/FormLexer.h"
#include "runtime/Identifiers.h"

namespace tintoral {
namespace {

std::string CutCaptionWarning(TiLabel& label) {
  if (!label.AutoSize()) return "";
  const TSize needed = label.AutoSizeExtent();
  if (label.Width() >= needed.Width && label.Height() >= needed.Height) return "";
  const auto size = [](int width, int height) { return std::to_string(width) + " x " + std::to_string(height); };
  return label.Name() + " (" + label.ClassName() + "): the caption '" + label.Caption() + "' needs " +
         size(needed.Width, needed.Height) + " pixels but the label is " + size(label.Width(), label.Height()) +
         " and shows it cut (AutoSize sizes a label only when its caption, font or margins change; give Width = " +
         std::to_string(needed.Width) + " and Height = " + std::to_string(needed.Height) + ")";
}

void Collect(TComponent& component, std::string_view text, const std::string& path,
             std::vector<std::string>& warnings) {
  if (auto* label = dynamic_cast<TiLabel*>(&component)) {
    if (const std::string warning = CutCaptionWarning(*label); !warning.empty())
      warnings.push_back(path + ":" + std::to_string(ObjectLine(text, label->Name())) + ": warning: " + warning);
  }
  for (int i = 0; i < component.ComponentCount(); ++i) Collect(*component.Components(i), text, path, warnings);
}

}  // namespace

int ObjectLine(std::string_view text, const std::string& name) {
  try {
    TFormLexer lexer(text);
    bool afterObject = false;
    for (; lexer.Current().kind != TTokenKind::EndOfFile; lexer.Next()) {
      const TToken& token = lexer.Current();
      if (token.kind != TTokenKind::Ident) {
        afterObject = false;
        continue;
      }
      if (afterObject && SameText(token.source, name)) return token.line;
      afterObject =
          SameText(token.source, "object") || SameText(token.source, "inherited") || SameText(token.source, "inline");
    }
  } catch (const StreamError&) {
  }
  return 0;
}

std::vector<std::string> FormWarnings(TComponent& root, std::string_view text, const std::string& path) {
  std::vector<std::string> warnings;
  Collect(root, text, path, warnings);
  return warnings;
}

}  // namespace tintoral
