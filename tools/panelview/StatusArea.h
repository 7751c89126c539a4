#pragma once
// The status area of a live panel, under the form's own content: one line
// per load warning, per server connection and per item that is not well,
// each wrapped to the window's width. It is laid out again whenever its
// lines or the window's size change and stays at the bottom of the window;
// new lines that no longer fit below the content make the window taller.
#include <string>
#include <vector>

namespace tintoral {

class TForm;
class TLabel;

class TStatusArea {
 public:
  // Adds the area's label to the form, with room for one line.
  explicit TStatusArea(TForm& form);
  TStatusArea(const TStatusArea&) = delete;
  TStatusArea& operator=(const TStatusArea&) = delete;

  void SetLines(const std::vector<std::string>& lines);
  // The lines, one per text line.
  std::string Text() const;
  TLabel& Label() const { return *label_; }
  // Where the form's own content ends.
  int ContentHeight() const { return contentHeight_; }
  // Places the label for the window's present size; `mayGrow`: makes the
  // window taller when the lines do not fit below the content.
  void Layout(bool mayGrow);

 private:
  int NeededHeight(int width) const;

  TForm& form_;
  TLabel* label_;  // owned by the form
  const int contentHeight_;
};

}  // namespace tintoral
