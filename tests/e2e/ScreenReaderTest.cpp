// The real program under Xvfb as a screen reader finds it: read over AT-SPI
// from another process (tests/e2e/atspi-probe.py) on a private D-Bus session
// with assistive technology switched on. Every control is reachable and
// named by what the user sees; the question-mark button and the About box's
// OK button are pressed through their actions, a slider is set through its
// value, and the changes are announced.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/ProgramIdentity.h"
#include "tests/e2e/support/AccessibilityBus.h"
#include "tests/e2e/support/ProgramSession.h"

namespace tintoral::e2e {
namespace {

constexpr char kAboutTitle[] = "Acerca de ...";

// One object of the probe's tree.
struct Node {
  QJsonObject data;
  int index = 0;  // position in the tree's reading order (depth first)

  QString Role() const { return data["role"].toString(); }
  bool Has(const char* list, const QString& entry) const { return data[list].toArray().contains(QJsonValue(entry)); }
  QString Text() const { return data["text"].toString(); }
  QStringList Related(const char* relation) const {
    QStringList names;
    for (const QJsonValue& name : data["relations"].toObject()[relation].toArray()) names << name.toString();
    return names;
  }
};

class Tree {
 public:
  explicit Tree(const QJsonArray& nodes) {
    for (const QJsonValue& node : nodes) nodes_.push_back({node.toObject(), static_cast<int>(nodes_.size())});
  }
  // The first object with that name and role; fails the test when none has.
  const Node& Find(const QString& name, const QString& role) const {
    for (const Node& node : nodes_)
      if (node.data["name"].toString() == name && node.Role() == role) return node;
    ADD_FAILURE() << "no " << role.toStdString() << " named \"" << name.toStdString() << "\"";
    static const Node none;
    return none;
  }

 private:
  std::vector<Node> nodes_;
};

class ScreenReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbDisplay::Available()) GTEST_SKIP() << "Xvfb is not installed: end-to-end tests skipped";
    const std::string missing = AccessibilityBus::MissingPackages();
    if (!missing.empty()) GTEST_SKIP() << "screen reader test skipped: install " << missing;
    bus_ = std::make_unique<AccessibilityBus>();
    Environment environment = bus_->ClientEnvironment();
    environment.insert(environment.end(), {"LANG=C", "LC_ALL=C"});  // numbers with a point
    session_ = std::make_unique<ProgramSession>(environment);
  }

  // Runs the probe's steps; the result of each, in order. A step that
  // failed ends the list with its error.
  std::vector<QJsonObject> Probe(const std::vector<std::string>& steps) const {
    std::vector<std::string> argv{AccessibilityBus::kPython, ATSPI_PROBE_SCRIPT, kDesktopEntryName};
    argv.insert(argv.end(), steps.begin(), steps.end());
    const CommandResult run = RunCommand(argv, bus_->ClientEnvironment(), std::chrono::seconds(90));
    std::vector<QJsonObject> results;
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);)
      results.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(line)).object());
    if (run.status != 0)
      ADD_FAILURE() << "the probe ended with status " << run.status << ": "
                    << (results.empty() ? std::string("no output") : results.back()["error"].toString().toStdString());
    return results;
  }

  // Declared before the session, so that the program ends before its bus.
  std::unique_ptr<AccessibilityBus> bus_;
  std::unique_ptr<ProgramSession> session_;
};

// The name-change and value-change events, as "name" and "value NAME".
QStringList Announcements(const QJsonObject& step) {
  QStringList said;
  for (const QJsonValue& event : step["result"].toArray()) {
    const QJsonObject e = event.toObject();
    const QString type = e["type"].toString();
    said << (type.endsWith("accessible-value") ? "value " : "") + e["name"].toString();
  }
  return said;
}

TEST_F(ScreenReaderTest, EveryControlIsReachableNamedAsShownAndOperable) {
  const std::vector<QJsonObject> steps =
      Probe({"tree", "set:Red=100", "events:10", "tree", "press:" + std::string(kAboutTitle),
             "window:" + std::string(kAboutTitle), "tree", "press:OK", "gone:" + std::string(kAboutTitle)});
  ASSERT_EQ(steps.size(), 9u);
  const Tree start(steps[0]["result"].toArray()), afterRed(steps[3]["result"].toArray()),
      about(steps[6]["result"].toArray());

  // Sliders: named by the caption above them, focusable, set through their value.
  for (const char* colour : {"Red", "Green", "Blue"}) {
    SCOPED_TRACE(colour);
    const Node& slider = start.Find(colour, "slider");
    EXPECT_TRUE(slider.Has("states", "focusable"));
    EXPECT_TRUE(slider.Has("interfaces", "Value"));
    EXPECT_EQ(slider.Related("labelled-by"), QStringList{colour});
  }
  EXPECT_EQ(afterRed.Find("Red", "slider").data["value"].toArray().first().toDouble(), 100.0);

  // Readouts: "caption value", labelled by the caption read just before,
  // with the shown value as text.
  const struct {
    const char* caption;
    QString atStart, afterRed, shownAfterRed;
  } readouts[] = {
      {"R:", "R: 0", "R: 100", "100"},
      {"Luminancia (Y):", "Luminancia (Y): 0.000", "Luminancia (Y): 0.300", "0.300"},
      {"R-Y:", "R-Y: +0.000", "R-Y: +0.700", "+0.700"},
      {"V:", "V: +0.000", "V: +0.614", "+0.614"},
      {"U:", "U: +0.000", "U: -0.148", "-0.148"},
  };
  for (const auto& r : readouts) {
    SCOPED_TRACE(r.caption);
    const Node& caption = start.Find(r.caption, "label");
    const Node& readout = start.Find(r.atStart, "label");
    EXPECT_EQ(readout.Related("labelled-by"), QStringList{r.caption});
    EXPECT_EQ(caption.Related("label-for"), QStringList{r.atStart});
    EXPECT_EQ(caption.index + 1, readout.index) << "the caption reads just before its readout";
    EXPECT_EQ(afterRed.Find(r.afterRed, "label").Text(), r.shownAfterRed);
  }

  // The LCD banner shows text; the diagram is a graphic named by its texts.
  EXPECT_EQ(start.Find("\u00A1Se\u00F1ales de color en televisi\u00F3n", "label").Text(),
            "\u00A1Se\u00F1ales de color en televisi\u00F3n");
  EXPECT_EQ(start.Find("Ang: 0 Mod: 0", "image").Text(), "Ang: 0\nMod: 0");
  const Node& diagram = afterRed.Find("Ang: 103.5 Mod: 0.631", "image");
  EXPECT_EQ(diagram.data["description"].toString(), "U: -0.148 V: +0.614");

  // What a change announces.
  const QStringList said = Announcements(steps[2]);
  for (const QString& expected :
       {QString("value Red"), QString("Luminancia (Y): 0.300"), QString("R: 100"), QString("Ang: 103.5 Mod: 0.631")})
    EXPECT_TRUE(said.contains(expected)) << expected.toStdString() << " not in " << said.join(" | ").toStdString();

  // The question-mark button opens the About box, a dialog whose OK is the
  // default push button; pressing OK closes it.
  EXPECT_TRUE(start.Find(kAboutTitle, "push button").Has("actions", "Press"));
  EXPECT_TRUE(steps[5]["result"].toBool()) << "the About box did not open";
  about.Find(kAboutTitle, "dialog");
  const Node& ok = about.Find("OK", "push button");
  for (const char* state : {"is-default", "focusable"}) EXPECT_TRUE(ok.Has("states", state)) << state;
  EXPECT_TRUE(ok.Has("actions", "Press"));
  EXPECT_TRUE(steps[8]["result"].toBool()) << "the About box did not close";
}

// What a listener meets first and what the swatches say: the focus starts on
// the page's tab, named by it; the swatches read as their colour; the empty
// label of the layout is not in the tree.
TEST_F(ScreenReaderTest, FocusStartsOnANamedPageTabAndSwatchesReadAsTheirColour) {
  const std::vector<QJsonObject> steps = Probe({"tree", "set:Red=100", "events:10", "tree"});
  ASSERT_EQ(steps.size(), 4u);
  const QJsonArray start = steps[0]["result"].toArray();
  QStringList focused, emptyTexts;
  for (const QJsonValue& value : start) {
    const QJsonObject node = value.toObject();
    if (node["states"].toArray().contains(QJsonValue("focused")))
      focused << node["role"].toString() + ": " + node["name"].toString();
    if (node["role"].toString() == "label" && node["name"].toString().isEmpty()) emptyTexts << "label";
  }
  EXPECT_EQ(focused, QStringList{"page tab: Color en TV"});
  EXPECT_TRUE(emptyTexts.isEmpty()) << emptyTexts.size() << " empty labels";
  const Tree atStart(start), afterRed(steps[3]["result"].toArray());
  atStart.Find("Color #000000", "image");
  atStart.Find("B/W #000000", "image");
  EXPECT_EQ(afterRed.Find("Color #FF0000", "image").data["description"].toString(), "R 255, G 0, B 0");
  afterRed.Find("B/W #4D4D4D", "image");
  EXPECT_TRUE(Announcements(steps[2]).contains("Color #FF0000")) << Announcements(steps[2]).join(" | ").toStdString();
}

// The test-signal window as a screen reader finds it: a window of its own,
// the fields as editable texts named by their captions, the bar strip, the
// vectorscope and the waveform monitor as graphics named by what they show,
// the standards as texts; setting the red slider reaches them all.
TEST_F(ScreenReaderTest, TheTestSignalWindowIsNamedAsItShows) {
  session_->X().PressKey(session_->MainWindow(), "F2");
  const std::vector<QJsonObject> steps = Probe({"window:Se\u00F1ales de prueba", "set:Red=100", "events:10", "tree"});
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_TRUE(steps[0]["result"].toBool()) << "the window did not show";
  const Tree tree(steps[3]["result"].toArray());
  tree.Find("Se\u00F1ales de prueba", "frame");
  EXPECT_EQ(tree.Find("R %", "text").Text(), "100");
  EXPECT_EQ(tree.Find("Color #", "text").Text(), "#FF0000");
  tree.Find("Barras de color, Barra: Rojo 100 %", "image");
  tree.Find("Vectorscopio U: -0.148 V: +0.614", "image");
  const QString waveform =
      "Monitor de forma de onda, barras 100 %: se\u00F1al compuesta de -33.8 % a 133.8 %; "
      "color actual: Y 30.0 %, compuesta de -33.1 % a 93.1 %";
  tree.Find(waveform, "image");
  tree.Find("V +0.614", "label");
  tree.Find("Cr +0.500", "label");
}

}  // namespace
}  // namespace tintoral::e2e
