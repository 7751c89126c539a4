// The trend chart as an instrument: the pixels of its lines, spikes and
// gaps, its time axis, the view (pause, zoom, pan, cursor) from keys and
// mouse, the data link with time stamps and outages, CSV export, and its
// form-stream round trip with stored samples.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "instruments/InstrumentClasses.h"
#include "instruments/TrendChart.h"
#include "instruments/TrendChartTime.h"
#include "platform/window/Form.h"
#include "platform/window/KeyCodes.h"
#include "platform/window/MainThreadQueue.h"
#include "runtime/Exception.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"
#include "tests/instruments/base/DataLinkTestSupport.h"
#include "tests/platform/graphics/CanvasTestSupport.h"

namespace tintoral {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kStart = 1.8e9;  // 2027-01-15 08:00:00 UTC

// Labels in UTC whatever the machine's zone.
class UtcZone {
 public:
  UtcZone() {
    const char* zone = std::getenv("TZ");
    if (zone) saved_ = zone;
    had_ = zone != nullptr;
    setenv("TZ", "UTC", 1);
    tzset();
  }
  ~UtcZone() {
    if (had_) setenv("TZ", saved_.c_str(), 1);
    else unsetenv("TZ");
    tzset();
  }

 private:
  std::string saved_;
  bool had_ = false;
};

// A bare chart: no border, legend or grid, a fixed 0 … 100 value axis.
void MakePlain(TiTrendChart& chart) {
  chart.SetBounds(0, 0, 400, 200);
  chart.SetBorderStyle(ibsNone);
  chart.SetShowLegend(false);
  chart.SetShowGrid(false);
  chart.SetValueAutoScale(false);
  chart.Channel(0).SetColor(clRed);
}

std::unique_ptr<test::Surface> Paint(TiTrendChart& chart) {
  auto surface = std::make_unique<test::Surface>(chart.Width(), chart.Height());
  chart.PaintTo(surface->canvas);
  return surface;
}

int ValueRow(const TiTrendChart& chart, double value) { return chart.RowOf(itvaLeft, value); }

bool ColumnHas(const test::Surface& s, int x, int top, int bottom, TColor color) {
  for (int y = top; y < bottom; ++y)
    if (s.At(x, y) == color) return true;
  return false;
}

TEST(TrendChartPaint, ASpikeAmongAMillionPointsIsDrawnAndAGapLeavesItsColumnsEmpty) {
  TiTrendChart chart(nullptr);
  MakePlain(chart);
  chart.SetHorizontalAxis(itakNumeric);
  chart.SetNumericMax(1e6);
  chart.SetCapacity(1000000);
  std::vector<double> xs(1000000), ys(1000000, 10.0);
  for (std::size_t i = 0; i < xs.size(); ++i) xs[i] = static_cast<double>(i);
  ys[654321] = 90;
  for (std::size_t i = 200000; i < 300000; ++i) ys[i] = kNaN;
  chart.SetSeries(0, xs, ys);
  const auto s = Paint(chart);
  const TRect p = chart.Layout().plot;
  const int width = p.Width();
  const int spike = p.Left + 654321 * width / 1000000;
  EXPECT_EQ(s->At(spike, ValueRow(chart, 90)), clRed);
  // Columns wholly inside the gap hold no line; those around it do.
  for (int x = p.Left; x < p.Right; ++x) {
    const double first = static_cast<double>(x - p.Left) * 1e6 / width;
    const double last = static_cast<double>(x - p.Left + 1) * 1e6 / width;
    const bool inGap = first > 200001 && last < 299999;
    EXPECT_EQ(ColumnHas(*s, x, p.Top, p.Bottom, clRed), !inGap) << "column " << x - p.Left;
  }
}

TEST(TrendChartPaint, ReferenceLinesAreDrawnAtTheirValuesAndStepsHoldEachValue) {
  TiTrendChart chart(nullptr);
  MakePlain(chart);
  chart.SetHorizontalAxis(itakNumeric);
  chart.SetNumericMax(64);
  chart.SetValueMin(-40);
  chart.SetValueMax(140);
  chart.SetReferenceLines("0=0 %;100=100 %;bad;-33=-33 %;133=+133 %");
  chart.SetReferenceLineColor(clGreen);
  ASSERT_EQ(chart.ParsedReferenceLines().size(), 4u);
  chart.Channel(0).SetSteps(true);
  const double xs[] = {0, 10, 52};
  const double ys[] = {0, 100, 0};
  chart.SetSeries(0, xs, ys);
  const auto s = Paint(chart);
  const TRect p = chart.Layout().plot;
  for (double value : {0.0, 100.0, -33.0, 133.0}) {
    const int row = chart.RowOf(itvaLeft, value);
    EXPECT_EQ(s->At(p.Right - 2, row), clGreen) << value;
  }
  // From x = 10 to 52 the value holds at 100: a level line, no slope.
  const int high = chart.RowOf(itvaLeft, 100);
  for (double x : {11.0, 30.0, 51.0}) EXPECT_EQ(s->At(p.Left + static_cast<int>(x * p.Width() / 64), high), clRed) << x;
}

// A chart painted after every change draws what it draws when all its
// columns are decimated anew: the columns it keeps from one frame to the
// next are exact whatever changed.
struct FrameStep {
  const char* name;
  void (*apply)(TiTrendChart& chart, double& now);
};

// Three channels at 20 Hz with a spike now and then, up to `seconds` later.
void Feed(TiTrendChart& chart, double& now, double seconds) {
  for (const double end = now + seconds; now < end; now += 0.05)
    for (int c = 0; c < 3; ++c)
      chart.AppendSample(c, now, 50 + 40 * std::sin(now * (c + 1) * 0.7) + (std::fmod(now * 37, 1.0) < 0.03 ? 45 : 0));
}

const FrameStep kFrameSteps[] = {
    {"recorded", [](TiTrendChart& c, double& now) { Feed(c, now, 120); }},
    {"live", [](TiTrendChart& c, double&) { c.Channel(0).SetValue(50); }},
    {"part_of_a_column_later", [](TiTrendChart& c, double& now) { Feed(c, now, 0.1); }},
    {"columns_later", [](TiTrendChart& c, double& now) { Feed(c, now, 2); }},
    {"paused", [](TiTrendChart& c, double& now) { c.SetPaused(true), Feed(c, now, 1); }},
    {"panned", [](TiTrendChart& c, double&) { c.PanView(-5); }},
    {"zoomed", [](TiTrendChart& c, double&) { c.ZoomView(0.7, 50); }},
    {"resumed", [](TiTrendChart& c, double& now) { c.SetPaused(false), Feed(c, now, 0.3); }},
    {"channel_hidden", [](TiTrendChart& c, double& now) { c.Channel(1).SetVisible(false), Feed(c, now, 0.5); }},
    {"channel_shown", [](TiTrendChart& c, double& now) { c.Channel(1).SetVisible(true), Feed(c, now, 0.5); }},
    {"resized", [](TiTrendChart& c, double& now) { c.SetBounds(0, 0, 430, 200), Feed(c, now, 0.2); }},
    {"sweep", [](TiTrendChart& c, double& now) { c.SetMode(itmSweep), Feed(c, now, 1); }},
    {"sweep_later", [](TiTrendChart& c, double& now) { Feed(c, now, 0.7); }},
};

TEST(TrendChartPaint, KeptColumnsDrawWhatAFullDecimationDraws) {
  double now = kStart;
  TiTrendChart chart(nullptr);
  chart.SetBounds(0, 0, 400, 200);
  chart.SetChannelCount(3);
  chart.SetCapacity(5000);
  chart.SetTimeSource([&now] { return now; });
  for (const FrameStep& step : kFrameSteps) {
    SCOPED_TRACE(step.name);
    step.apply(chart, now);
    const auto painted = Paint(chart);
    // The history stored again (all of it fits): every column decimated anew.
    chart.SetCapacity(4999);
    chart.SetCapacity(5000);
    const auto expected = Paint(chart);
    for (int y = 0; y < chart.Height(); ++y)
      for (int x = 0; x < chart.Width(); ++x) ASSERT_EQ(painted->At(x, y), expected->At(x, y)) << x << "," << y;
  }
}

TEST(TrendChartTime, TicksAndLabelsSuitTheSpan) {
  const UtcZone utc;
  const struct {
    double span;
    int maxTicks;
    const char* first;
    const char* second;
  } cases[] = {
      {0.5, 5, "08:00:00.100", "08:00:00.200"},  // ms labels
      {10, 10, "08:00:01", "08:00:02"},
      {7200, 8, "08:15", "08:30"},
      {3 * 86400, 6, "15/01 12:00", "16/01 00:00"},
      {30 * 86400, 5, "18/01", "25/01"},  // Mondays
  };
  for (const auto& c : cases) {
    const std::vector<TTimeTick> ticks = TimeTicks(kStart + 0.01, c.span, c.maxTicks);
    ASSERT_GE(ticks.size(), 2u) << c.span;
    EXPECT_LE(static_cast<int>(ticks.size()), c.maxTicks + 1) << c.span;
    EXPECT_EQ(ticks[0].label, c.first) << c.span;
    EXPECT_EQ(ticks[1].label, c.second) << c.span;
  }
  EXPECT_EQ(IsoTimeText(kStart + 0.2505), "2027-01-15T08:00:00.251Z");
}

TEST(TrendChartTime, LinkStampsAreReadInEitherFormOrReplacedByTheArrivalTime) {
  auto dateTime = [](double seconds) {
    const double days = seconds / 86400 + 25569;
    std::uint64_t stamp = 0;
    std::memcpy(&stamp, &days, sizeof stamp);
    return stamp;
  };
  const double arrival = kStart + 5;
  EXPECT_NEAR(LinkTimeSeconds(dateTime(kStart), arrival), kStart, 1e-4);
  EXPECT_EQ(LinkTimeSeconds(static_cast<std::uint64_t>(kStart * 1000), arrival), kStart);
  EXPECT_EQ(LinkTimeSeconds(0, arrival), arrival);
  EXPECT_EQ(LinkTimeSeconds(dateTime(kStart + 20 * 365 * 86400.0), arrival), arrival);  // years ahead
  EXPECT_EQ(LinkTimeSeconds(12345, arrival), arrival);
}

class TrendChartView : public ::testing::Test {
 protected:
  TrendChartView() {
    MakePlain(chart);
    chart.SetSpan(100);
    chart.SetTimeSource([this] { return now; });
    for (int i = 0; i <= 100; ++i) chart.AppendSample(0, kStart + i, i);
    Paint(chart);
  }
  void Key(std::uint16_t key, TShiftState shift = {}) { chart.HandleKeyDown(key, shift); }

  double now = kStart + 100;
  TiTrendChart chart{nullptr};
};

TEST_F(TrendChartView, ThePauseFreezesTheViewWhileRecordingGoesOn) {
  EXPECT_EQ(chart.ViewStart(), kStart);
  chart.SetPaused(true);
  now += 50;
  chart.Channel(0).SetValue(7);  // recorded at the clock
  EXPECT_EQ(chart.ViewStart(), kStart);
  EXPECT_EQ(chart.Channel(0).History().LastTime(), kStart + 150);
  Key(VK_SPACE);  // resumes, following the clock to the next whole column
  EXPECT_FALSE(chart.Paused());
  EXPECT_GE(chart.ViewStart(), kStart + 50);
  EXPECT_LT(chart.ViewStart(), kStart + 50 + chart.Span() / chart.Layout().plot.Width());
}

TEST_F(TrendChartView, WheelKeysAndDragZoomAndPanOnlyWhilePaused) {
  const int width = chart.Layout().plot.Width();
  EXPECT_FALSE(chart.HandleMouseWheel(120, {}, {0, 0}));
  Key(VK_UP);
  EXPECT_EQ(chart.ViewSpan(), 100);
  Key(VK_SPACE);
  Key(VK_UP);  // zoom in about the right edge
  EXPECT_DOUBLE_EQ(chart.ViewSpan(), 80);
  EXPECT_DOUBLE_EQ(chart.ViewStart() + chart.ViewSpan(), kStart + 100);
  Key(VK_DOWN);
  EXPECT_DOUBLE_EQ(chart.ViewSpan(), 100);
  const double start = chart.ViewStart();
  chart.HandleMouseDown(mbLeft, {}, 200, 100);
  chart.HandleMouseMove({}, 250, 100);  // dragged right: earlier data
  chart.HandleMouseUp(mbLeft, {}, 250, 100);
  const double dragged = 50.0 * 100 / width;
  EXPECT_NEAR(chart.ViewStart(), start - dragged, 1e-6);
  EXPECT_FALSE(chart.CursorVisible());  // a drag is no click
  Key(VK_RIGHT);                        // a tenth of the view later
  EXPECT_NEAR(chart.ViewStart(), start - dragged + 10, 1e-6);
  Key(VK_HOME);
  EXPECT_DOUBLE_EQ(chart.ViewStart(), kStart);
}

TEST_F(TrendChartView, TheCursorReadsEachChannelFromClickOrKeys) {
  chart.SetChannelCount(2);
  chart.AppendSample(1, kStart + 40, kNaN);  // channel 2 has only a gap
  Paint(chart);
  const TRect p = chart.Layout().plot;
  chart.HandleMouseDown(mbLeft, {}, p.Left + p.Width() / 4, 50);
  chart.HandleMouseUp(mbLeft, {}, p.Left + p.Width() / 4, 50);
  ASSERT_TRUE(chart.CursorVisible());
  std::vector<TiTrendReading> r = chart.CursorReadings();
  const double time = chart.CursorTime();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].value, std::floor(time - kStart));
  EXPECT_FALSE(r[1].present);
  Key(VK_RIGHT, {ssShift});
  EXPECT_EQ(chart.CursorColumn(), p.Width() / 4 + 10);
  chart.SetCursorColumn(p.Width() - 1);
  r = chart.CursorReadings();
  EXPECT_TRUE(r[1].present);
  EXPECT_TRUE(std::isnan(r[1].value));
  Key(VK_ESCAPE);
  EXPECT_FALSE(chart.CursorVisible());
  Key('C');
  EXPECT_TRUE(chart.CursorVisible());
}

TEST(TrendChartSettings, OutOfRangeSettingsAreHeld) {
  TiTrendChart chart(nullptr);
  chart.SetChannelCount(0);
  EXPECT_EQ(chart.ChannelCount(), 1);
  chart.SetChannelCount(99);
  EXPECT_EQ(chart.ChannelCount(), TiTrendChart::kMaxChannels);
  chart.SetCapacity(-1);
  EXPECT_EQ(chart.Capacity(), TTrendHistory::kMinCapacity);
  chart.SetCapacity(2000000000);
  EXPECT_EQ(chart.Capacity(), TTrendHistory::kMaxCapacity);
  chart.SetSpan(0);
  EXPECT_EQ(chart.Span(), TiTrendChart::kMinSpan);
  chart.SetSpan(1e300);
  EXPECT_EQ(chart.Span(), TiTrendChart::kMaxSpan);
  chart.SetSpan(kNaN);
  EXPECT_EQ(chart.Span(), TiTrendChart::kMaxSpan);
  chart.SetValueMax(std::numeric_limits<double>::infinity());
  EXPECT_EQ(chart.ValueMax(), 100);
  chart.Channel(0).SetPenWidth(0);
  EXPECT_EQ(chart.Channel(0).PenWidth(), 1);
  EXPECT_THROW(chart.Channel(8), ListIndexError);
}

TEST(TrendChartExport, CsvHasOneRowPerTimeAndAColumnPerChannel) {
  TiTrendChart chart(nullptr);
  chart.SetChannelCount(2);
  chart.Channel(0).SetCaption("Nivel, m");
  chart.AppendSample(0, kStart, 1.5);
  chart.AppendSample(0, kStart + 0.25, kNaN);
  chart.AppendSample(1, kStart + 0.25, -2);
  chart.AppendSample(1, kStart + 1, 1e-7);
  std::ostringstream out;
  chart.WriteCSV(out);
  EXPECT_EQ(out.str(),
            "Time,\"Nivel, m\",Channel2\r\n"
            "2027-01-15T08:00:00.000Z,1.5,\r\n"
            "2027-01-15T08:00:00.250Z,NaN,-2\r\n"
            "2027-01-15T08:00:01.000Z,,1e-07\r\n");
  EXPECT_THROW(chart.ExportCSV("/nonexistent/folder/trend.csv"), FileError);
}

class TrendChartStream : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterWindowClasses();
    RegisterInstruments();
  }
};

TEST_F(TrendChartStream, EveryPropertyAndTheStoredSamplesComeBackFromAForm) {
  TiTrendChart chart(nullptr);
  chart.SetName("Trend");
  chart.SetChannelCount(3);
  chart.SetCapacity(500);
  chart.SetHorizontalAxis(itakNumeric);
  chart.SetMode(itmSweep);
  chart.SetSpan(3600);
  chart.SetNumericMin(-1.5);
  chart.SetNumericMax(64);
  chart.SetNumericGridStep(4);
  chart.SetValueAutoScale(false);
  chart.SetValueMin(-40);
  chart.SetValueMax(140);
  chart.SetShowValue2Axis(true);
  chart.SetValue2AutoScale(false);
  chart.SetValue2Min(1);
  chart.SetValue2Max(2);
  chart.SetShowValueAxis(false);
  chart.SetShowGrid(false);
  chart.SetGridColor(clNavy);
  chart.SetPlotColor(clBlack);
  chart.SetShowLegend(false);
  chart.SetReferenceLines("0=0 %;100=100 %");
  chart.SetReferenceLineColor(clYellow);
  chart.SetPaused(true);
  chart.Channel(2).SetCaption("Consigna");
  chart.Channel(2).SetPenWidth(3);
  chart.Channel(2).SetVisible(false);
  chart.Channel(2).SetValueAxis(itvaRight);
  chart.Channel(2).SetSteps(true);
  chart.AppendSample(0, 1, 2);
  chart.AppendSample(0, 2, kNaN);
  chart.AppendSample(2, 3, -1e300);
  const std::string text = WriteComponentText(chart);
  std::unique_ptr<TComponent> read(ReadComponentText(text));
  auto* copy = dynamic_cast<TiTrendChart*>(read.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(WriteComponentText(*copy), text);
  EXPECT_EQ(copy->Channel(0).History().Count(), 2);
  EXPECT_TRUE(std::isnan(copy->Channel(0).Value()));
  EXPECT_EQ(copy->Channel(2).Value(), -1e300);
  EXPECT_EQ(copy->ParsedReferenceLines().size(), 2u);
}

TEST_F(TrendChartStream, DamagedSampleBlocksAreRefused) {
  auto bytes = [](std::initializer_list<int> values) {
    std::string b;
    for (int v : values) b += static_cast<char>(v);
    return b;
  };
  // One channel of one sample (time 0, value 0).
  const std::string good = "TRS1" + bytes({1, 1, 0, 0, 0}) + std::string(16, '\0');
  auto form = [](const std::string& block) {
    std::string hex;
    for (unsigned char c : block) {
      static const char digits[] = "0123456789ABCDEF";
      hex += digits[c >> 4];
      hex += digits[c & 15];
    }
    return "object T: TiTrendChart\n  Samples = {" + hex + "}\nend\n";
  };
  EXPECT_NO_THROW(std::unique_ptr<TComponent>(ReadComponentText(form(good))));
  const struct {
    const char* name;
    std::string block;
  } cases[] = {
      {"cut short", good.substr(0, good.size() - 1)},
      {"bytes after the end", good + "x"},
      {"another format", "TRS2" + bytes({1})},
      {"nine channels", "TRS1" + bytes({9, 0, 0, 0, 0})},
      {"a count beyond the bytes", "TRS1" + bytes({1, 255, 255, 255, 255})},
  };
  for (const auto& c : cases)
    EXPECT_THROW(std::unique_ptr<TComponent>(ReadComponentText(form(c.block))), Exception) << c.name;
}

class TrendChartDataLink : public ::testing::Test {
 protected:
  TrendChartDataLink() {
    test::TestLink().Reset();
    form.SetBounds(0, 0, 300, 200);
    chart = new TiTrendChart(&form);
    chart->SetParent(&form);
    chart->SetChannelCount(2);
    chart->SetTimeSource([this] { return now; });
    for (int i = 0; i < 2; ++i) {
      items[i] = &chart->OPCItemManager().Add();
      items[i]->SetPropertyName("channel" + std::to_string(i + 1) + ".Value");
      items[i]->SetServerName("Plant.Server");
      items[i]->SetItemName(i == 0 ? "Level" : "Setpoint");
      items[i]->ConnectItem();
    }
  }
  ~TrendChartDataLink() override {
    chart->OPCItemManager().Clear();
    test::TestLink().Reset();
  }
  void Serve(int i, const TVariant& value, std::uint16_t quality, std::uint64_t stamp = 0) {
    test::LetAFramePass();
    test::TestLink().Serve(items[i]->Handle(), value, quality, stamp);
    RunMainThreadTasks();
  }

  double now = kStart;
  TForm form{nullptr};
  TiTrendChart* chart = nullptr;
  TiOPCItem* items[2] = {};
};

TEST_F(TrendChartDataLink, ValuesLandAtTheirStampOrArrivalAndOutagesBecomeGaps) {
  const TTrendHistory& level = chart->Channel(0).History();
  Serve(0, 1.5, 0xC0, static_cast<std::uint64_t>((kStart - 2) * 1000));
  Serve(1, 50, 0xC0);
  ASSERT_EQ(level.Count(), 1);
  EXPECT_EQ(level.TimeAt(0), kStart - 2);
  EXPECT_EQ(chart->Channel(1).History().TimeAt(0), kStart);
  now += 1;
  Serve(0, 2.5, 0x00);  // bad quality: not a value
  EXPECT_EQ(level.Count(), 1);
  chart->CheckOutages();
  chart->CheckOutages();  // one gap per outage
  ASSERT_EQ(level.Count(), 2);
  EXPECT_TRUE(std::isnan(chart->Channel(0).Value()));
  test::TestLink().SetActive(items[1]->Handle(), false);
  chart->CheckOutages();
  EXPECT_TRUE(std::isnan(chart->Channel(1).Value()));
  now += 1;
  Serve(0, 3.5, 0xC0);
  EXPECT_EQ(chart->Channel(0).Value(), 3.5);
  Serve(0, "abc", 0xC0);  // no number: a gap and the item's problem
  EXPECT_TRUE(std::isnan(chart->Channel(0).Value()));
  EXPECT_FALSE(items[0]->Problem().empty());
}

}  // namespace
}  // namespace tintoral
