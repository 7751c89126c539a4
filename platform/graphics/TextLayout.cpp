#include "platform/graphics/TextLayout.h"

#include <algorithm>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/GlyphRun.h"

namespace tintoral {
namespace {

constexpr std::string_view kEllipsis = "...";
constexpr std::uint16_t kAnyEllipsis =
    DrawTextFlag::EndEllipsis | DrawTextFlag::PathEllipsis | DrawTextFlag::WordEllipsis;

bool Has(std::uint16_t flags, std::uint16_t flag) { return (flags & flag) != 0; }
bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

// Characters of one paragraph after prefix processing, with the source
// offset where each one's written form ("x", "&x" or "&&") starts.
struct ShownText {
  std::string chars;
  std::vector<bool> underlined;
  std::vector<std::size_t> source;

  void Add(char ch, bool underline, std::size_t offset) {
    chars += ch;
    underlined.push_back(underline);
    source.push_back(offset);
  }
};

struct Range {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// Paragraphs end at "\r\n", "\n" or "\r"; a break at the very end starts no
// further line.
std::vector<Range> SplitParagraphs(std::string_view text, bool singleLine) {
  if (text.empty()) return {};
  if (singleLine) return {{0, text.size()}};
  std::vector<Range> paragraphs;
  std::size_t begin = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    paragraphs.push_back({begin, i});
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    begin = i + 1;
  }
  if (begin < text.size()) paragraphs.push_back({begin, text.size()});
  return paragraphs;
}

// "&x" shows x underlined, "&&" shows "&", a trailing "&" shows nothing.
ShownText ApplyPrefix(std::string_view text, Range range, bool prefix) {
  ShownText shown;
  for (std::size_t i = range.begin; i < range.end; ++i) {
    if (!prefix || text[i] != '&') {
      shown.Add(text[i], false, i);
    } else if (i + 1 < range.end) {
      ++i;
      shown.Add(text[i], text[i] != '&', i - 1);
    }
  }
  return shown;
}

// x positions of every character boundary of text: positions[k] is the
// width of the first k characters.
std::vector<int> Positions(const ResolvedFont& font, std::string_view text, int tabStop) {
  std::vector<int> positions{0};
  for (char ch : text) positions.push_back(AdvancePen(font, static_cast<unsigned char>(ch), positions.back(), tabStop));
  return positions;
}

// Splits a paragraph into lines no wider than maxWidth where possible:
// lines break after blanks (which are dropped at the break); a word too long
// for a line of its own is broken at the edge, keeping at least one character.
std::vector<Range> WrapParagraph(const ResolvedFont& font, std::string_view chars, int maxWidth, int tabStop) {
  std::vector<Range> lines;
  std::size_t start = 0;
  do {
    std::size_t i = start;
    std::size_t breakEnd = start;
    bool canBreak = false, seenWord = false;
    int x = 0;
    for (; i < chars.size(); ++i) {
      const char ch = chars[i];
      if (IsBlank(ch) && seenWord && !IsBlank(chars[i - 1])) {
        canBreak = true;
        breakEnd = i;
      }
      x = AdvancePen(font, static_cast<unsigned char>(ch), x, tabStop);
      if (IsBlank(ch)) continue;  // blanks may hang past the edge
      if (x > maxWidth) break;
      seenWord = true;
    }
    if (i == chars.size()) {
      lines.push_back({start, i});
      break;
    }
    const std::size_t end = canBreak ? breakEnd : std::max(i, start + 1);
    lines.push_back({start, end});
    start = end;
    while (start < chars.size() && IsBlank(chars[start])) ++start;
  } while (start < chars.size());
  return lines;
}

LaidOutLine MakeLine(const ShownText& shown, Range range, Range paragraph) {
  const auto sourceOf = [&](std::size_t index) {
    return index < shown.source.size() ? shown.source[index] : paragraph.end;
  };
  LaidOutLine line;
  line.text = shown.chars.substr(range.begin, range.end - range.begin);
  line.underlined.assign(shown.underlined.begin() + static_cast<std::ptrdiff_t>(range.begin),
                         shown.underlined.begin() + static_cast<std::ptrdiff_t>(range.end));
  line.sourceBegin = sourceOf(range.begin);
  line.sourceEnd = sourceOf(range.end);
  return line;
}

// Replaces the line by head + "..." + tail.
void Shorten(LaidOutLine& line, std::size_t headLength, std::size_t tailBegin) {
  std::string text = line.text.substr(0, headLength);
  std::vector<bool> underlined(line.underlined.begin(),
                               line.underlined.begin() + static_cast<std::ptrdiff_t>(headLength));
  text += kEllipsis;
  underlined.insert(underlined.end(), kEllipsis.size(), false);
  text += line.text.substr(tailBegin);
  underlined.insert(underlined.end(), line.underlined.begin() + static_cast<std::ptrdiff_t>(tailBegin),
                    line.underlined.end());
  line.text = std::move(text);
  line.underlined = std::move(underlined);
  line.shortened = true;
}

// The longest head among the allowed cut points that fits with the ellipsis
// within room; -1 when none fits.
template <typename Allowed>
long LongestFittingHead(const std::vector<int>& positions, std::size_t limit, int room, Allowed allowed) {
  for (long k = static_cast<long>(limit); k >= 0; --k)
    if (allowed(static_cast<std::size_t>(k)) && positions[static_cast<std::size_t>(k)] <= room) return k;
  return -1;
}

void ApplyEllipsis(LaidOutLine& line, const ResolvedFont& font, int maxWidth, int tabStop, std::uint16_t flags) {
  const std::vector<int> positions = Positions(font, line.text, tabStop);
  const int dots = font.TextWidth(kEllipsis);
  const std::size_t length = line.text.size();
  const auto anyCut = [](std::size_t) { return true; };

  if (Has(flags, DrawTextFlag::PathEllipsis)) {
    const std::size_t separator = line.text.find_last_of("\\/");
    if (separator != std::string::npos) {
      const int tail = positions[length] - positions[separator];
      const long head = LongestFittingHead(positions, separator, maxWidth - dots - tail, anyCut);
      Shorten(line, static_cast<std::size_t>(std::max(head, 0L)), separator);
      return;
    }
  }
  if (Has(flags, DrawTextFlag::WordEllipsis)) {
    const auto atWordEnd = [&](std::size_t k) {
      return k > 0 && k < length && IsBlank(line.text[k]) && !IsBlank(line.text[k - 1]);
    };
    const long head = LongestFittingHead(positions, length - 1, maxWidth - dots, atWordEnd);
    if (head > 0) {
      Shorten(line, static_cast<std::size_t>(head), length);
      return;
    }
  }
  const long head = LongestFittingHead(positions, length - 1, maxWidth - dots, anyCut);
  Shorten(line, static_cast<std::size_t>(std::max(head, 0L)), length);
}

}  // namespace

int TabStopFor(const ResolvedFont& font, std::uint16_t flags) {
  if (!Has(flags, DrawTextFlag::ExpandTabs)) return 0;
  return 8 * std::max(1, font.AverageCharWidth());
}

std::vector<LaidOutLine> LayoutText(std::string_view text, const ResolvedFont& font, int maxWidth,
                                    std::uint16_t flags) {
  const bool singleLine = Has(flags, DrawTextFlag::SingleLine);
  const bool wrap = Has(flags, DrawTextFlag::WordBreak) && !singleLine;
  const int tabStop = TabStopFor(font, flags);
  std::vector<LaidOutLine> lines;
  for (const Range& paragraph : SplitParagraphs(text, singleLine)) {
    const ShownText shown = ApplyPrefix(text, paragraph, Has(flags, DrawTextFlag::Prefix));
    const std::vector<Range> ranges =
        wrap ? WrapParagraph(font, shown.chars, maxWidth, tabStop) : std::vector<Range>{{0, shown.chars.size()}};
    for (const Range& range : ranges) {
      LaidOutLine line = MakeLine(shown, range, paragraph);
      line.width = RunWidth(font, line.text, tabStop);
      if (Has(flags, kAnyEllipsis) && line.width > maxWidth && !line.text.empty()) {
        ApplyEllipsis(line, font, maxWidth, tabStop, flags);
        line.width = RunWidth(font, line.text, tabStop);
      }
      lines.push_back(std::move(line));
    }
  }
  return lines;
}

std::string SourceTextOf(const LaidOutLine& line, bool prefix) {
  if (!prefix) return line.text;
  std::string source;
  for (std::size_t i = 0; i < line.text.size(); ++i) {
    if (line.text[i] == '&' || line.underlined[i]) source += '&';
    source += line.text[i];
  }
  return source;
}

}  // namespace tintoral
