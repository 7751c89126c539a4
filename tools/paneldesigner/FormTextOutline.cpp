#include "tools/paneldesigner/FormTextOutline.h"

#include "runtime/Exception.h"
#include "runtime/Identifiers.h"

namespace tintoral {
namespace {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::size_t IndentOf(std::string_view line) {
  const std::size_t first = line.find_first_not_of(' ');
  return first == std::string_view::npos ? line.size() : first;
}

bool IsIdentChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// "object Name: Class" (the name may be missing): where the name starts and
// ends in the line, or false for any other line.
bool ObjectHeader(std::string_view line, std::size_t& nameStart, std::size_t& nameEnd) {
  std::size_t at = IndentOf(line);
  constexpr std::string_view kObject = "object";
  if (line.substr(at, kObject.size()) != kObject) return false;
  at += kObject.size();
  if (at >= line.size() || line[at] != ' ') return false;
  nameStart = line.find_first_not_of(' ', at);
  if (nameStart == std::string_view::npos) return false;
  nameEnd = nameStart;
  while (nameEnd < line.size() && IsIdentChar(line[nameEnd])) ++nameEnd;
  return nameEnd > nameStart;
}

bool IsEndLine(std::string_view line) {
  const std::string_view rest = line.substr(IndentOf(line));
  return rest.substr(0, 3) == "end" && rest.find_first_not_of('>', 3) == std::string_view::npos;
}

bool IsItemLine(std::string_view line) { return line.substr(IndentOf(line)) == "item"; }

std::string Indented(std::string_view text, std::size_t spaces) {
  std::string out;
  for (const std::string& line : SplitLines(text)) out += std::string(line.empty() ? 0 : spaces, ' ') + line + "\n";
  return out;
}

}  // namespace

TFormTextOutline::TFormTextOutline(std::string_view text) : lines_(SplitLines(text)) {
  std::vector<int> open;  // block indices, -2 for a collection item
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::string& line = lines_[i];
    std::size_t nameStart = 0, nameEnd = 0;
    if (ObjectHeader(line, nameStart, nameEnd)) {
      TFormBlock block;
      const std::size_t colon = line.find(':', nameEnd);
      if (colon == std::string::npos) {
        block.className = line.substr(nameStart, nameEnd - nameStart);
      } else {
        block.name = line.substr(nameStart, nameEnd - nameStart);
        const std::size_t classStart = line.find_first_not_of(' ', colon + 1);
        if (classStart != std::string::npos) block.className = line.substr(classStart);
      }
      block.firstLine = i;
      for (auto it = open.rbegin(); it != open.rend(); ++it)
        if (*it >= 0) {
          block.parent = *it;
          break;
        }
      const int index = static_cast<int>(blocks_.size());
      if (block.parent >= 0) blocks_[static_cast<std::size_t>(block.parent)].children.push_back(index);
      blocks_.push_back(std::move(block));
      open.push_back(index);
    } else if (IsItemLine(line)) {
      open.push_back(-2);
    } else if (IsEndLine(line)) {
      if (open.empty()) throw StreamError("Line " + std::to_string(i + 1) + ": 'end' without 'object'");
      if (open.back() >= 0) blocks_[static_cast<std::size_t>(open.back())].lastLine = i;
      open.pop_back();
    }
  }
  if (!open.empty() || blocks_.empty()) throw StreamError("The form text has no complete object");
}

int TFormTextOutline::Find(std::string_view name) const {
  if (name.empty()) return -1;
  for (std::size_t i = 0; i < blocks_.size(); ++i)
    if (SameText(blocks_[i].name, name)) return static_cast<int>(i);
  return -1;
}

std::string TFormTextOutline::Joined(std::size_t from, std::size_t to) const {
  std::string out;
  for (std::size_t i = from; i < to; ++i) out += lines_[i] + "\n";
  return out;
}

std::string TFormTextOutline::BlockText(int index) const {
  const TFormBlock& block = blocks_.at(static_cast<std::size_t>(index));
  const std::size_t indent = IndentOf(lines_[block.firstLine]);
  std::string out;
  for (std::size_t i = block.firstLine; i <= block.lastLine; ++i)
    out += lines_[i].substr(std::min(indent, IndentOf(lines_[i]))) + "\n";
  return out;
}

std::string TFormTextOutline::Without(const std::vector<int>& blocks) const {
  std::vector<bool> dropped(lines_.size(), false);
  for (int index : blocks) {
    const TFormBlock& block = blocks_.at(static_cast<std::size_t>(index));
    for (std::size_t i = block.firstLine; i <= block.lastLine; ++i) dropped[i] = true;
  }
  std::string out;
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (!dropped[i]) out += lines_[i] + "\n";
  return out;
}

std::string TFormTextOutline::WithInserted(int parent, std::string_view blocksText, bool atBottom) const {
  const TFormBlock& block = blocks_.at(static_cast<std::size_t>(parent));
  std::size_t at = block.lastLine;
  if (atBottom && !block.children.empty()) at = blocks_[static_cast<std::size_t>(block.children.front())].firstLine;
  return Joined(0, at) + Indented(blocksText, IndentOf(lines_[block.firstLine]) + 2) + Joined(at, lines_.size());
}

std::vector<std::string> ObjectNamesInText(std::string_view text) {
  std::vector<std::string> names;
  for (const std::string& line : SplitLines(text)) {
    std::size_t nameStart = 0, nameEnd = 0;
    if (ObjectHeader(line, nameStart, nameEnd) && line.find(':', nameEnd) != std::string::npos)
      names.push_back(line.substr(nameStart, nameEnd - nameStart));
  }
  return names;
}

std::string RenameObjectsInText(std::string_view text, const std::function<std::string(const std::string&)>& rename) {
  std::string out;
  for (const std::string& line : SplitLines(text)) {
    std::size_t nameStart = 0, nameEnd = 0;
    if (ObjectHeader(line, nameStart, nameEnd) && line.find(':', nameEnd) != std::string::npos)
      out += line.substr(0, nameStart) + rename(line.substr(nameStart, nameEnd - nameStart)) + line.substr(nameEnd);
    else out += line;
    out += "\n";
  }
  return out;
}

}  // namespace tintoral
