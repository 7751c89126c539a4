#include "platform/window/AccessibleText.h"

#include <algorithm>

namespace tintoral {

void ShownTextInterface::selection(int, int* startOffset, int* endOffset) const { *startOffset = *endOffset = 0; }

QString ShownTextInterface::text(int startOffset, int endOffset) const {
  const QString shown = ShownText();
  const auto size = static_cast<int>(shown.size());
  const int end = endOffset < 0 || endOffset > size ? size : endOffset;
  const int start = std::clamp(startOffset, 0, end);
  return shown.mid(start, end - start);
}

QString ShownTextInterface::attributes(int, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = characterCount();
  return {};
}

}  // namespace tintoral
