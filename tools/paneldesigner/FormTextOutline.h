#pragma once
// The object blocks of a form text as the form writer lays it out: an
// "object Name: Class" line, the properties, the nested blocks, and an "end"
// line at the same indentation. The designer edits the structure of a form
// (paste, delete, z-order) on this outline and reads the result back, so the
// reader checks every such edit and the events stay bound by name.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tintoral {

struct TFormBlock {
  std::string name;
  std::string className;
  std::size_t firstLine = 0;  // the "object" line
  std::size_t lastLine = 0;   // its "end" line
  int parent = -1;            // index of the enclosing block, -1 for the root
  std::vector<int> children;  // nested blocks in the order written (bottom of the z-order first)
};

class TFormTextOutline {
 public:
  // Raises StreamError when the text has no balanced object blocks.
  explicit TFormTextOutline(std::string_view text);

  const std::vector<TFormBlock>& Blocks() const { return blocks_; }
  // The block of the component with that name (case ignored), -1 when none.
  int Find(std::string_view name) const;
  // The block's lines, moved left so that its "object" line starts at column 0.
  std::string BlockText(int block) const;
  // The text without the given blocks.
  std::string Without(const std::vector<int>& blocks) const;
  // The text with `blocksText` (blocks at column 0) nested in `parent`:
  // after its last child (on top) or before its first (at the bottom).
  std::string WithInserted(int parent, std::string_view blocksText, bool atBottom) const;

 private:
  std::string Joined(std::size_t from, std::size_t to) const;  // lines [from, to)

  std::vector<std::string> lines_;
  std::vector<TFormBlock> blocks_;
};

// The names in the "object Name: Class" lines of a text, in order.
std::vector<std::string> ObjectNamesInText(std::string_view text);
// The text with each "object" line's name replaced by `rename(name)`.
std::string RenameObjectsInText(std::string_view text, const std::function<std::string(const std::string&)>& rename);

}  // namespace tintoral
