#pragma once
// The read-only text interface of controls that show text (platform-
// internal; Qt): the whole text, its length and, through Qt's defaults, its
// characters, words, sentences and lines. Nothing is selectable and no
// cursor moves; the places of single characters are not known.
#include <QAccessible>

namespace tintoral {

class ShownTextInterface : public QAccessibleTextInterface {
 public:
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  // An end offset of -1 (or past the end) means the end of the text.
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override { return static_cast<int>(ShownText().size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  // No attributes: one run over the whole text.
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

 protected:
  virtual QString ShownText() const = 0;
};

}  // namespace tintoral
