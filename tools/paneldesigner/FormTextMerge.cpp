#include "tools/paneldesigner/FormTextMerge.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "runtime/Identifiers.h"
#include "tools/paneldesigner/FormTextOutline.h"

namespace tintoral {
namespace {

using TLines = std::vector<std::string>;

std::size_t IndentOf(const std::string& line) {
  const std::size_t first = line.find_first_not_of(' ');
  return first == std::string::npos ? line.size() : first;
}

// A property as written: its "Name = value" line and the lines that
// continue its value (indented deeper).
struct TUnit {
  std::string name;
  TLines lines;
};

// One object of a text: its header, its own properties, its nested objects
// and its end line.
struct TObject {
  std::string name;
  std::string header;
  std::vector<TUnit> units;
  std::vector<int> children;
  std::string end;
  std::size_t indent = 0;
  std::size_t firstLine = 0, lastLine = 0;
};

class TParsedText {
 public:
  explicit TParsedText(std::string_view text) : outline_(text) {
    std::size_t start = 0;
    while (start < text.size()) {
      const std::size_t end = text.find('\n', start);
      lines_.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
      if (end == std::string_view::npos) break;
      start = end + 1;
    }
    endsWithNewline_ = !text.empty() && text.back() == '\n';
    for (std::size_t b = 0; b < outline_.Blocks().size(); ++b) objects_.push_back(Object(static_cast<int>(b)));
  }

  const std::vector<TObject>& Objects() const { return objects_; }
  const TLines& Lines() const { return lines_; }
  bool EndsWithNewline() const { return endsWithNewline_; }
  int Find(const std::string& name) const { return outline_.Find(name); }

 private:
  TObject Object(int index) const {
    const TFormBlock& block = outline_.Blocks()[static_cast<std::size_t>(index)];
    TObject object;
    object.name = block.name;
    object.header = lines_[block.firstLine];
    object.end = lines_[block.lastLine];
    object.indent = IndentOf(object.header);
    object.children = block.children;
    object.firstLine = block.firstLine;
    object.lastLine = block.lastLine;
    std::vector<bool> nested(lines_.size(), false);
    for (int child : block.children) {
      const TFormBlock& c = outline_.Blocks()[static_cast<std::size_t>(child)];
      std::fill(nested.begin() + static_cast<long>(c.firstLine), nested.begin() + static_cast<long>(c.lastLine) + 1,
                true);
    }
    std::optional<std::size_t> unitIndent;
    for (std::size_t i = block.firstLine + 1; i < block.lastLine; ++i) {
      if (nested[i] || lines_[i].find_first_not_of(' ') == std::string::npos) continue;
      const std::size_t indent = IndentOf(lines_[i]);
      if (!unitIndent) unitIndent = indent;
      if (indent <= *unitIndent || object.units.empty()) {
        const std::size_t equals = lines_[i].find('=');
        std::string name = lines_[i].substr(indent, equals == std::string::npos ? std::string::npos : equals - indent);
        while (!name.empty() && name.back() == ' ') name.pop_back();
        object.units.push_back({name, {}});
      }
      object.units.back().lines.push_back(lines_[i]);
    }
    return object;
  }

  TFormTextOutline outline_;
  TLines lines_;
  bool endsWithNewline_ = false;
  std::vector<TObject> objects_;
};

TLines Reindented(const TLines& lines, std::size_t from, std::size_t to) {
  TLines out;
  for (const std::string& line : lines) {
    const std::size_t indent = IndentOf(line);
    const std::size_t kept = indent >= from ? indent - from : 0;
    out.push_back(line.empty() ? line : std::string(kept + to, ' ') + line.substr(indent));
  }
  return out;
}

const TUnit* FindUnit(const std::vector<TUnit>& units, const std::string& name) {
  for (const TUnit& unit : units)
    if (SameText(unit.name, name)) return &unit;
  return nullptr;
}

class TMerge {
 public:
  TMerge(std::string_view original, std::string_view before, std::string_view after)
      : original_(original), before_(before), after_(after) {}

  std::string Result() {
    const TLines& lines = original_.Lines();
    const TObject& root = original_.Objects().front();
    TLines out(lines.begin(), lines.begin() + static_cast<long>(root.firstLine));
    Emit(0, root.indent, out);
    out.insert(out.end(), lines.begin() + static_cast<long>(root.lastLine) + 1, lines.end());
    std::string text;
    for (std::size_t i = 0; i < out.size(); ++i) {
      text += out[i];
      if (i + 1 < out.size() || original_.EndsWithNewline()) text += '\n';
    }
    return text;
  }

 private:
  // The object of `after` at index `a`, written at `indent`.
  void Emit(int a, std::size_t indent, TLines& out) {
    const TObject& next = after_.Objects()[static_cast<std::size_t>(a)];
    const int o = a == 0 ? 0 : original_.Find(next.name);
    const int b = a == 0 ? 0 : before_.Find(next.name);
    if (o < 0 || b < 0) {  // new: as the writer writes it
      const TLines& lines = after_.Lines();
      const TLines block(lines.begin() + static_cast<long>(next.firstLine),
                         lines.begin() + static_cast<long>(next.lastLine) + 1);
      const TLines moved = Reindented(block, next.indent, indent);
      out.insert(out.end(), moved.begin(), moved.end());
      return;
    }
    const TObject& old = original_.Objects()[static_cast<std::size_t>(o)];
    if (Unchanged(o, b, a)) {
      const TLines& lines = original_.Lines();
      const TLines block(lines.begin() + static_cast<long>(old.firstLine),
                         lines.begin() + static_cast<long>(old.lastLine) + 1);
      const TLines moved = Reindented(block, old.indent, indent);
      out.insert(out.end(), moved.begin(), moved.end());
      return;
    }
    const TObject& was = before_.Objects()[static_cast<std::size_t>(b)];
    const std::string& header = was.header == next.header ? old.header : next.header;  // a renamed root
    out.push_back(std::string(indent, ' ') + header.substr(IndentOf(header)));
    for (const TUnit& unit : MergedUnits(old, was, next))
      for (const std::string& line : Reindented(unit.lines, old.indent, indent)) out.push_back(line);
    for (int child : next.children) Emit(child, indent + ChildIndent(old, next, child), out);
    out.push_back(std::string(indent, ' ') + old.end.substr(IndentOf(old.end)));
  }

  // How much deeper than its parent a child is written: as in the original
  // when the parent has children there, else as the writer does.
  std::size_t ChildIndent(const TObject& old, const TObject& next, int child) const {
    if (!old.children.empty())
      return original_.Objects()[static_cast<std::size_t>(old.children.front())].indent - old.indent;
    return after_.Objects()[static_cast<std::size_t>(child)].indent - next.indent;
  }

  // The original's properties with those the writer's texts show changed
  // replaced, added or removed.
  std::vector<TUnit> MergedUnits(const TObject& old, const TObject& before, const TObject& after) const {
    std::vector<TUnit> units = old.units;
    const std::size_t unitIndent = units.empty() ? old.indent + 2 : IndentOf(units.front().lines.front());
    const std::size_t writerIndent =
        after.units.empty() ? after.indent + 2 : IndentOf(after.units.front().lines.front());
    std::vector<std::string> names;
    for (const TUnit& u : before.units) names.push_back(u.name);
    for (const TUnit& u : after.units) names.push_back(u.name);
    for (const std::string& name : names) {
      const TUnit* was = FindUnit(before.units, name);
      const TUnit* is = FindUnit(after.units, name);
      if ((was && is && was->lines == is->lines) || (!was && !is)) continue;
      auto at = std::find_if(units.begin(), units.end(), [&](const TUnit& u) { return SameText(u.name, name); });
      if (!is) {
        if (at != units.end()) units.erase(at);
        continue;
      }
      TUnit written{is->name, Reindented(is->lines, writerIndent, unitIndent)};
      if (at != units.end()) {
        *at = std::move(written);
        continue;
      }
      // Before the first property that follows it in the writer's order.
      auto follower = units.end();
      for (auto it = std::find_if(after.units.begin(), after.units.end(), [&](const TUnit& u) { return &u == is; });
           it != after.units.end() && follower == units.end(); ++it)
        follower = std::find_if(units.begin(), units.end(), [&](const TUnit& u) { return SameText(u.name, it->name); });
      units.insert(follower, std::move(written));
    }
    return units;
  }

  // Same own lines in the writer's texts, the same children in the same
  // order, each unchanged in turn.
  bool Unchanged(int o, int b, int a) const {
    const TObject& old = original_.Objects()[static_cast<std::size_t>(o)];
    const TObject& was = before_.Objects()[static_cast<std::size_t>(b)];
    const TObject& is = after_.Objects()[static_cast<std::size_t>(a)];
    if (was.header != is.header || was.units.size() != is.units.size() || was.children.size() != is.children.size() ||
        old.children.size() != is.children.size())
      return false;
    for (std::size_t i = 0; i < was.units.size(); ++i)
      if (was.units[i].lines != is.units[i].lines) return false;
    for (std::size_t i = 0; i < is.children.size(); ++i) {
      const std::string& name = after_.Objects()[static_cast<std::size_t>(is.children[i])].name;
      const int oc = old.children[i], bc = was.children[i];
      if (!SameText(original_.Objects()[static_cast<std::size_t>(oc)].name, name) ||
          !SameText(before_.Objects()[static_cast<std::size_t>(bc)].name, name) || !Unchanged(oc, bc, is.children[i]))
        return false;
    }
    return true;
  }

  TParsedText original_, before_, after_;
};

}  // namespace

std::string MergeFormText(std::string_view original, std::string_view before, std::string_view after) {
  return TMerge(original, before, after).Result();
}

}  // namespace tintoral
