// TiTrendChart: properties, channels, samples and their clock, the data
// link, the view and the cursor.
#include "instruments/TrendChart.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>

#include "instruments/TrendChartTime.h"
#include "platform/window/ControlProperties.h"
#include "runtime/ClassBuilder.h"
#include "runtime/Exception.h"
#include "runtime/Identifiers.h"
#include "runtime/NumberText.h"

namespace tintoral {
namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

constexpr TColor kDefaultColors[TiTrendChart::kMaxChannels] = {clBlue,  clRed,    clGreen, clFuchsia,
                                                               clOlive, clPurple, clTeal,  clNavy};

}  // namespace

const TEnumType& EnumTypeOf(TiTrendAxisKind) {
  static const TEnumType type("TiTrendAxisKind", {"itakTime", "itakNumeric"});
  return type;
}

const TEnumType& EnumTypeOf(TiTrendMode) {
  static const TEnumType type("TiTrendMode", {"itmStrip", "itmSweep"});
  return type;
}

const TClassInfo& TiTrendChart::StaticClass() {
  using T = TiTrendChart;
  static const TClassInfo info = DescribeClass<T>("TiTrendChart", TiCustomComponent::StaticClass(), [](auto& b) {
    b.Property("ChannelCount", &T::ChannelCount, &T::SetChannelCount).Default(1);
    b.Property("Capacity", &T::Capacity, &T::SetCapacity).Default(10000);
    b.Property("HorizontalAxis", &T::HorizontalAxis, &T::SetHorizontalAxis).Default(itakTime);
    b.Property("Mode", &T::Mode, &T::SetMode).Default(itmStrip);
    b.Property("Span", &T::Span, &T::SetSpan).Default(60.0);
    b.Property("NumericMin", &T::NumericMin, &T::SetNumericMin).Default(0.0);
    b.Property("NumericMax", &T::NumericMax, &T::SetNumericMax).Default(100.0);
    b.Property("NumericGridStep", &T::NumericGridStep, &T::SetNumericGridStep).Default(0.0);
    b.Property("ValueAutoScale", &T::ValueAutoScale, &T::SetValueAutoScale).Default(true);
    b.Property("ValueMin", &T::ValueMin, &T::SetValueMin).Default(0.0);
    b.Property("ValueMax", &T::ValueMax, &T::SetValueMax).Default(100.0);
    b.Property("ShowValue2Axis", &T::ShowValue2Axis, &T::SetShowValue2Axis).Default(false);
    b.Property("Value2AutoScale", &T::Value2AutoScale, &T::SetValue2AutoScale).Default(true);
    b.Property("Value2Min", &T::Value2Min, &T::SetValue2Min).Default(0.0);
    b.Property("Value2Max", &T::Value2Max, &T::SetValue2Max).Default(100.0);
    b.Property("ShowValueAxis", &T::ShowValueAxis, &T::SetShowValueAxis).Default(true);
    b.Property("ShowGrid", &T::ShowGrid, &T::SetShowGrid).Default(true);
    b.Property("GridColor", &T::GridColor, &T::SetGridColor).Default(clSilver).TypeName("TColor");
    b.Property("PlotColor", &T::PlotColor, &T::SetPlotColor).Default(clWhite).TypeName("TColor");
    b.Property("ShowLegend", &T::ShowLegend, &T::SetShowLegend).Default(true);
    b.Property("ReferenceLines", &T::ReferenceLines, &T::SetReferenceLines);
    b.Property("ReferenceLineColor", &T::ReferenceLineColor, &T::SetReferenceLineColor)
        .Default(clGray)
        .TypeName("TColor");
    b.Property("Paused", &T::Paused, &T::SetPaused).Default(false);
    b.Object(
        "Font", [](T& t) -> TFont& { return t.Font(); }, [](T& t, const TFont& f) { t.SetFont(f); });
    for (int i = 0; i < kMaxChannels; ++i)
      b.Object("Channel" + std::to_string(i + 1), [i](T& t) -> TiTrendChannel& { return t.Channel(i); });
    b.Property("BackGroundColor", &T::BackGroundColor, &T::SetBackGroundColor).Default(clBtnFace).TypeName("TColor");
    b.Property("BorderStyle", &T::BorderStyle, &T::SetBorderStyle).Default(ibsLowered);
    PublishControlProperties(b, {"Align", "TabOrder", "TabStop"}, {.tabStop = true});
    b.BinaryProperty("Samples", &T::ReadSamples, &T::WriteSamples, &T::HasSamples);
  });
  return info;
}

TiTrendChart::TiTrendChart(TComponent* owner) : TiCustomComponent(owner) {
  for (int i = 0; i < kMaxChannels; ++i) {
    channels_[i] = std::make_unique<TiTrendChannel>();
    channels_[i]->SetColor(kDefaultColors[i]);
    channels_[i]->History().SetCapacity(capacity_);
    channels_[i]->SetHooks([this] { RequestRepaint(); },
                           [this](TiTrendChannel& channel, double value) { ChannelRecord(channel, value); });
  }
  font_.SetName("Arial");
  font_.SetSize(8);
  font_.SetOnChange([this] { RequestRepaint(); });
  liveTimer_.SetOnTimer([this] { LiveTick(); });
  SetBorderStyle(ibsLowered);
  SetBackGroundColor(clBtnFace);
  SetTabStop(true);
  SetBounds(Left(), Top(), 400, 200);
}

TiTrendChart::~TiTrendChart() {
  liveTimer_.Stop();
  font_.SetOnChange(nullptr);
}

// ---- Properties ---------------------------------------------------------------------

TiTrendChannel& TiTrendChart::Channel(int index) {
  if (index < 0 || index >= kMaxChannels)
    throw ListIndexError("Channel index out of bounds (" + std::to_string(index) + ")");
  return *channels_[index];
}

const TiTrendChannel& TiTrendChart::Channel(int index) const { return const_cast<TiTrendChart*>(this)->Channel(index); }

void TiTrendChart::SetChannelCount(int value) {
  SetPropertyField(std::clamp(value, 1, kMaxChannels), channelCount_, irkRepaint);
}

void TiTrendChart::SetCapacity(int value) {
  const auto held =
      static_cast<int>(std::clamp<std::int64_t>(value, TTrendHistory::kMinCapacity, TTrendHistory::kMaxCapacity));
  if (!SetPropertyField(held, capacity_, irkRepaint)) return;
  for (auto& channel : channels_) channel->History().SetCapacity(held);
}

void TiTrendChart::SetSpan(double value) {
  if (std::isnan(value)) return;
  if (SetPropertyField(std::clamp(value, kMinSpan, kMaxSpan), span_, irkRepaint)) StartLiveTimer();
}

void TiTrendChart::SetFinite(double value, double& field) {
  if (std::isfinite(value)) SetPropertyField(value, field, irkRepaint);
}

void TiTrendChart::SetNumericGridStep(double value) {
  if (std::isfinite(value) && value >= 0) SetPropertyField(value, numericGridStep_, irkRepaint);
}

void TiTrendChart::SetReferenceLines(const std::string& value) {
  if (value == referenceLines_) return;
  referenceLines_ = value;
  parsedReferenceLines_.clear();
  std::size_t start = 0;
  while (start <= value.size()) {
    std::size_t end = value.find(';', start);
    if (end == std::string::npos) end = value.size();
    const std::string entry = value.substr(start, end - start);
    const std::size_t equals = entry.find('=');
    if (equals != std::string::npos) {
      // The value is written with "." in every locale.
      const std::string number = Trimmed(entry.substr(0, equals));
      char* stop = nullptr;
      const double v = std::strtod(number.c_str(), &stop);
      if (!number.empty() && stop == number.c_str() + number.size() && std::isfinite(v))
        parsedReferenceLines_.push_back({v, Trimmed(entry.substr(equals + 1))});
    }
    start = end + 1;
  }
  RequestRepaint();
}

void TiTrendChart::SetPaused(bool value) {
  if (value == paused_) return;
  if (value) {
    pausedSpan_ = ViewSpan();
    pausedEnd_ = ViewStart() + pausedSpan_;
  }
  paused_ = value;
  RequestRepaint();
}

// ---- Samples ----------------------------------------------------------------------

void TiTrendChart::SetTimeSource(std::function<double()> source) { timeSource_ = std::move(source); }

double TiTrendChart::ClockSeconds() const { return timeSource_ ? timeSource_() : TrendClockSeconds(); }

void TiTrendChart::AppendSample(int channel, double time, double value) {
  Channel(channel).History().Append(time, value);
  RequestRepaint();
}

void TiTrendChart::AppendSamples(int channel, std::span<const double> times, std::span<const double> values) {
  Channel(channel).History().Append(times, values);
  RequestRepaint();
}

void TiTrendChart::SetSeries(int channel, std::span<const double> xs, std::span<const double> ys) {
  TTrendHistory& history = Channel(channel).History();
  history.Clear();
  history.Append(xs, ys);
  RequestRepaint();
}

void TiTrendChart::ClearHistory() {
  for (auto& channel : channels_) channel->History().Clear();
  live_ = false;
  RequestRepaint();
}

void TiTrendChart::ChannelRecord(TiTrendChannel& channel, double value) {
  if (IsLoading()) return;
  for (int i = 0; i < kMaxChannels; ++i)
    if (channels_[i].get() == &channel) RecordLive(i, ClockSeconds(), value);
}

void TiTrendChart::RecordLive(int channel, double time, double value) {
  outage_[channel] = false;
  channels_[channel]->History().Append(time, value);
  if (!live_) {
    live_ = true;
    StartLiveTimer();
  }
  RequestRepaint();
}

// ---- Data link --------------------------------------------------------------------

int TiTrendChart::ChannelOfProperty(const std::string& propertyName) {
  const std::string upper = UpperCase(propertyName);
  for (int i = 0; i < kMaxChannels; ++i)
    if (upper == "CHANNEL" + std::to_string(i + 1) + ".VALUE") return i;
  return -1;
}

bool TiTrendChart::DataLinkApply(TiOPCItem& item) {
  const int channel = ChannelOfProperty(item.PropertyName());
  if (channel < 0) return false;
  const TiOPCItemData data = item.LastData();
  double value = std::numeric_limits<double>::quiet_NaN();
  try {
    value = data.value.ToDouble();
  } catch (const Exception&) {
    // A value that is no number: a gap, and the item's problem.
    RecordLive(channel, ClockSeconds(), value);
    throw;
  }
  const double arrival = ClockSeconds();
  RecordLive(channel, LinkTimeSeconds(data.timestamp, arrival), value);
  return true;
}

void TiTrendChart::CheckOutages() {
  TiOPCItemManager& items = OPCItemManager();
  for (int i = 0; i < items.Count(); ++i) {
    TiOPCItem& item = items.Items(i);
    const int channel = ChannelOfProperty(item.PropertyName());
    if (channel < 0 || outage_[channel] || !item.HasData()) continue;
    if (!item.IsItemActive() || !IsGoodQuality(item.LastQuality())) {
      channels_[channel]->History().Append(ClockSeconds(), std::numeric_limits<double>::quiet_NaN());
      outage_[channel] = true;
      RequestRepaint();
    }
  }
}

void TiTrendChart::Loaded() {
  TiCustomComponent::Loaded();
  if (OPCItemManager().Count() > 0 && !IsDesigning()) StartLiveTimer();
}

// The view scrolls about once per plot column, between 60 and 2 times a
// second; outages are looked for at the same pace.
void TiTrendChart::StartLiveTimer() {
  if (horizontalAxis_ != itakTime || (!live_ && OPCItemManager().Count() == 0)) return;
  const int columns = std::max(1, layout_.plot.Right - layout_.plot.Left);
  const int interval = static_cast<int>(std::clamp(span_ * 1000.0 / columns, 16.0, 500.0));
  liveTimer_.Start(interval, interval);
}

void TiTrendChart::LiveTick() {
  CheckOutages();
  if (live_ && !paused_) RequestRepaint();
}

// ---- View ---------------------------------------------------------------------------

double TiTrendChart::NewestTime() const {
  double newest = -std::numeric_limits<double>::infinity();
  for (int i = 0; i < channelCount_; ++i)
    if (!channels_[i]->History().Empty()) newest = std::max(newest, channels_[i]->History().LastTime());
  return newest;
}

// The right end of a live view: the clock, or the newest sample when the
// chart shows recorded data only (or a server's clock runs ahead).
double TiTrendChart::LiveEnd() const {
  const double newest = NewestTime();
  if (!live_) return std::isfinite(newest) ? newest : 0.0;
  return std::isfinite(newest) ? std::max(newest, ClockSeconds()) : ClockSeconds();
}

double TiTrendChart::ViewSpan() const {
  if (horizontalAxis_ == itakNumeric) return numericMax_ > numericMin_ ? numericMax_ - numericMin_ : 1.0;
  return paused_ ? pausedSpan_ : span_;
}

double TiTrendChart::ViewStart() const {
  if (horizontalAxis_ == itakNumeric) return numericMin_;
  if (paused_) return pausedEnd_ - pausedSpan_;
  const double end = LiveEnd();
  if (mode_ == itmSweep) return std::floor(end / span_) * span_;
  if (!live_) return end - span_;
  // A live strip moves by whole columns: its columns then keep their
  // samples from one frame to the next, and only new ones are decimated.
  const double column = span_ / std::max(1, layout_.plot.Right - layout_.plot.Left);
  return std::ceil(end / column) * column - span_;
}

void TiTrendChart::ZoomView(double factor, int column) {
  if (!paused_ || !(factor > 0) || !std::isfinite(factor)) return;
  const int width = std::max(1, layout_.plot.Right - layout_.plot.Left);
  const double start = ViewStart();
  const double anchor = start + pausedSpan_ * std::clamp(column, 0, width) / width;
  const double span = std::clamp(pausedSpan_ * factor, kMinSpan, kMaxSpan);
  const double newStart = anchor - (anchor - start) * span / pausedSpan_;
  pausedSpan_ = span;
  pausedEnd_ = newStart + span;
  RequestRepaint();
}

void TiTrendChart::PanView(double columns) {
  if (!paused_ || !std::isfinite(columns)) return;
  const int width = std::max(1, layout_.plot.Right - layout_.plot.Left);
  pausedEnd_ += columns * pausedSpan_ / width;
  RequestRepaint();
}

void TiTrendChart::ViewNewest() {
  if (!paused_) return;
  pausedSpan_ = span_;
  pausedEnd_ = LiveEnd();
  RequestRepaint();
}

// ---- Cursor -----------------------------------------------------------------------

void TiTrendChart::SetCursorVisible(bool value) {
  if (value == cursorVisible_) return;
  cursorVisible_ = value;
  RequestRepaint();
}

void TiTrendChart::SetCursorColumn(int column) {
  const int width = std::max(1, layout_.plot.Right - layout_.plot.Left);
  SetPropertyField(std::clamp(column, 0, width - 1), cursorColumn_, irkRepaint);
}

double TiTrendChart::CursorTime() const {
  const int width = std::max(1, layout_.plot.Right - layout_.plot.Left);
  // The middle of the cursor's column.
  return ViewStart() + (cursorColumn_ + 0.5) * ViewSpan() / width;
}

std::vector<TiTrendReading> TiTrendChart::CursorReadings() const {
  std::vector<TiTrendReading> readings;
  const double time = CursorTime();
  for (int i = 0; i < channelCount_; ++i) {
    const TTrendHistory& history = channels_[i]->History();
    const std::int64_t after = history.FirstWhere([time](double t) { return t > time; });
    if (after == history.First()) readings.push_back({});
    else readings.push_back({true, history.TimeAt(after - 1), history.ValueAt(after - 1)});
  }
  return readings;
}

int TiTrendChart::PlotColumnAt(int x) const { return x - layout_.plot.Left; }

// ---- "Samples": the stored history ---------------------------------------------------
// "TRS1", then per channel in use: a 32-bit sample count and that many
// pairs of doubles (time, value), little-endian. Samples beyond a channel's
// capacity keep the newest, as a ring would.

namespace {

constexpr char kSamplesMagic[4] = {'T', 'R', 'S', '1'};

template <class V>
void PutBytes(std::vector<std::uint8_t>& bytes, V value) {
  const std::size_t at = bytes.size();
  bytes.resize(at + sizeof value);
  std::memcpy(bytes.data() + at, &value, sizeof value);
}

template <class V>
V GetBytes(const std::vector<std::uint8_t>& bytes, std::size_t& at) {
  if (bytes.size() - at < sizeof(V)) throw StreamError("Samples: the data ends inside a channel");
  V value;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  at += sizeof value;
  return value;
}

}  // namespace

bool TiTrendChart::HasSamples() const {
  for (int i = 0; i < channelCount_; ++i)
    if (!channels_[i]->History().Empty()) return true;
  return false;
}

std::vector<std::uint8_t> TiTrendChart::WriteSamples() const {
  std::vector<std::uint8_t> bytes(std::begin(kSamplesMagic), std::end(kSamplesMagic));
  PutBytes<std::uint8_t>(bytes, static_cast<std::uint8_t>(channelCount_));
  for (int i = 0; i < channelCount_; ++i) {
    const TTrendHistory& history = channels_[i]->History();
    PutBytes<std::uint32_t>(bytes, static_cast<std::uint32_t>(history.Count()));
    for (std::int64_t s = history.First(); s < history.End(); ++s) {
      PutBytes(bytes, history.TimeAt(s));
      PutBytes(bytes, history.ValueAt(s));
    }
  }
  return bytes;
}

void TiTrendChart::ReadSamples(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < 5 || std::memcmp(bytes.data(), kSamplesMagic, 4) != 0)
    throw StreamError("Samples: not a sample block");
  std::size_t at = 4;
  const int channels = GetBytes<std::uint8_t>(bytes, at);
  if (channels > kMaxChannels) throw StreamError("Samples: " + std::to_string(channels) + " channels (at most 8)");
  for (int i = 0; i < channels; ++i) {
    const auto count = GetBytes<std::uint32_t>(bytes, at);
    // The count is checked against the bytes there before anything grows.
    if ((bytes.size() - at) / 16 < count) throw StreamError("Samples: the data ends inside a channel");
    TTrendHistory& history = channels_[i]->History();
    history.Clear();
    for (std::uint32_t k = 0; k < count; ++k) {
      const auto time = GetBytes<double>(bytes, at);
      history.Append(time, GetBytes<double>(bytes, at));
    }
  }
  if (at != bytes.size()) throw StreamError("Samples: bytes after the last channel");
  RequestRepaint();
}

}  // namespace tintoral
