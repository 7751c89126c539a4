// TiTrendChart: the stored history as CSV.
#include <charconv>
#include <cstdio>
#include <fstream>
#include <limits>

#include "instruments/TrendChart.h"
#include "instruments/TrendChartTime.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

// The shortest text that reads back as the same double, with "." always.
std::string NumberText(double value) {
  if (value != value) return "NaN";
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

// A caption as a CSV field: quoted when it holds a separator or a quote.
std::string Field(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

void TiTrendChart::WriteCSV(std::ostream& out) const {
  out << (horizontalAxis_ == itakTime ? "Time" : "X");
  for (int i = 0; i < channelCount_; ++i) {
    const std::string& caption = channels_[i]->Caption();
    out << ',' << Field(caption.empty() ? "Channel" + std::to_string(i + 1) : caption);
  }
  out << "\r\n";
  // Merge the channels by time: each row takes the next sample of every
  // channel that has one at the row's time.
  std::int64_t next[kMaxChannels];
  for (int i = 0; i < channelCount_; ++i) next[i] = channels_[i]->History().First();
  for (;;) {
    double time = std::numeric_limits<double>::infinity();
    for (int i = 0; i < channelCount_; ++i) {
      const TTrendHistory& history = channels_[i]->History();
      if (next[i] < history.End()) time = std::min(time, history.TimeAt(next[i]));
    }
    if (time == std::numeric_limits<double>::infinity()) break;
    out << (horizontalAxis_ == itakTime ? IsoTimeText(time) : NumberText(time));
    for (int i = 0; i < channelCount_; ++i) {
      const TTrendHistory& history = channels_[i]->History();
      out << ',';
      if (next[i] < history.End() && history.TimeAt(next[i]) == time) out << NumberText(history.ValueAt(next[i]++));
    }
    out << "\r\n";
  }
}

void TiTrendChart::ExportCSV(const std::string& fileName) const {
  // Written beside the file and renamed over it, so that a failed export
  // leaves any earlier file whole.
  const std::string partial = fileName + ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    if (out) WriteCSV(out);
    out.flush();
    if (!out) {
      std::remove(partial.c_str());
      throw FileError("Cannot write " + fileName);
    }
  }
  if (std::rename(partial.c_str(), fileName.c_str()) != 0) {
    std::remove(partial.c_str());
    throw FileError("Cannot write " + fileName);
  }
}

}  // namespace tintoral
