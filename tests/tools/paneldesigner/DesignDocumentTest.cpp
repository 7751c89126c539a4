#include <gtest/gtest.h>

#include <algorithm>

#include "platform/window/Control.h"
#include "platform/window/WinControl.h"
#include "runtime/Exception.h"
#include "runtime/FormWriter.h"
#include "tests/support/TestTempPath.h"
#include "tools/formshot/FormLoading.h"
#include "tools/paneldesigner/DesignDocument.h"

namespace tintoral {
namespace {

constexpr const char* kForm =
    "object Panel1Form: TForm\n"
    "  Width = 400\n"
    "  Height = 300\n"
    "  Caption = 'Tank'\n"
    "  OnCreate = FormCreate\n"
    "  object Box: TPanel\n"
    "    Left = 200\n"
    "    Top = 100\n"
    "    Width = 150\n"
    "    Height = 120\n"
    "  end\n"
    "  object A: TiSlider\n"
    "    Left = 10\n"
    "    Top = 20\n"
    "    Width = 30\n"
    "    Height = 100\n"
    "  end\n"
    "  object B: TiSevenSegmentInteger\n"
    "    Left = 50\n"
    "    Top = 40\n"
    "    Width = 60\n"
    "    Height = 30\n"
    "  end\n"
    "end\n";

class DesignDocumentTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterFormClasses(); }
  void SetUp() override { doc_ = std::make_unique<TDesignDocument>(kForm); }

  TRect Bounds(const char* name) const { return doc_->FindControl(name)->BoundsRect(); }
  // The names of a container's children, bottom of the z-order first.
  std::string Children(const char* name) const {
    const auto* container = dynamic_cast<TWinControl*>(doc_->FindControl(name));
    std::string names;
    for (int i = 0; i < container->ControlCount(); ++i) names += container->Controls(i)->Name() + " ";
    return names;
  }

  std::unique_ptr<TDesignDocument> doc_;
};

// Each arranging command on A (the anchor) and B, its bounds afterwards, and
// one undo that gives back the form's text.
struct ArrangeCase {
  const char* name;
  std::function<void(TDesignDocument&)> command;
  TRect a, b;
};

void PrintTo(const ArrangeCase& c, std::ostream* out) { *out << c.name; }

class ArrangeTest : public DesignDocumentTest, public testing::WithParamInterface<ArrangeCase> {};

TEST_P(ArrangeTest, ChangesBoundsAsOneUndoStep) {
  const std::string before = doc_->Text();
  doc_->Select({"A", "B"});
  GetParam().command(*doc_);
  EXPECT_EQ(Bounds("A"), GetParam().a);
  EXPECT_EQ(Bounds("B"), GetParam().b);
  EXPECT_TRUE(doc_->IsModified());
  doc_->Undo();
  EXPECT_EQ(doc_->Text(), before);
  EXPECT_FALSE(doc_->IsModified());
  EXPECT_EQ(doc_->Selection(), (std::vector<std::string>{"A", "B"}));
  doc_->Redo();
  EXPECT_EQ(Bounds("B"), GetParam().b);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ArrangeTest,
    testing::Values(
        ArrangeCase{"Move", [](TDesignDocument& d) { d.MoveSelection(-1, 8); }, {9, 28, 39, 128}, {49, 48, 109, 78}},
        ArrangeCase{
            "Resize", [](TDesignDocument& d) { d.ResizeSelection(5, -40); }, {10, 20, 45, 80}, {50, 40, 115, 40}},
        ArrangeCase{"AlignLefts",
                    [](TDesignDocument& d) { d.AlignSelection(TAlignEdge::Lefts); },
                    {10, 20, 40, 120},
                    {10, 40, 70, 70}},
        ArrangeCase{"AlignBottoms",
                    [](TDesignDocument& d) { d.AlignSelection(TAlignEdge::Bottoms); },
                    {10, 20, 40, 120},
                    {50, 90, 110, 120}},
        ArrangeCase{"AlignVerticalCentres",
                    [](TDesignDocument& d) { d.AlignSelection(TAlignEdge::VerticalCentres); },
                    {10, 20, 40, 120},
                    {50, 55, 110, 85}},
        ArrangeCase{"SameSize",
                    [](TDesignDocument& d) { d.MakeSameSize(TSameSize::Both); },
                    {10, 20, 40, 120},
                    {50, 40, 80, 140}},
        ArrangeCase{"SameWidth",
                    [](TDesignDocument& d) { d.MakeSameSize(TSameSize::Width); },
                    {10, 20, 40, 120},
                    {50, 40, 80, 70}}),
    [](const testing::TestParamInfo<ArrangeCase>& info) { return std::string(info.param.name); });

TEST_F(DesignDocumentTest, UndoIsUnlimitedAndANewCommandDropsTheRedoSteps) {
  const std::string start = doc_->Text();
  doc_->Select({"B"});
  for (int i = 0; i < 200; ++i) doc_->MoveSelection(1, 0);
  EXPECT_EQ(Bounds("B").Left, 250);
  while (doc_->CanUndo()) doc_->Undo();
  EXPECT_EQ(doc_->Text(), start);
  doc_->Redo();
  doc_->Redo();
  EXPECT_EQ(Bounds("B").Left, 52);
  doc_->MoveSelection(0, 1);
  EXPECT_FALSE(doc_->CanRedo());
}

TEST_F(DesignDocumentTest, ADragIsOneStepAndAnUnchangedOneNone) {
  TControl& b = *doc_->FindControl("B");
  doc_->SetBoundsLive(b, {60, 40, 120, 70});
  doc_->SetBoundsLive(b, {70, 45, 130, 75});
  EXPECT_TRUE(doc_->Commit());
  EXPECT_FALSE(doc_->Commit());
  doc_->Undo();
  EXPECT_EQ(Bounds("B"), (TRect{50, 40, 110, 70}));
  EXPECT_FALSE(doc_->CanUndo());
}

TEST_F(DesignDocumentTest, ZOrderAndDeleteWorkOnTheTextAndUndo) {
  EXPECT_EQ(Children("Panel1Form"), "Box A B ");
  doc_->Select({"Box"});
  doc_->BringSelectionToFront();
  EXPECT_EQ(Children("Panel1Form"), "A B Box ");
  doc_->Select({"B"});
  doc_->SendSelectionToBack();
  EXPECT_EQ(Children("Panel1Form"), "B A Box ");
  doc_->Select({"A", "Box"});
  doc_->DeleteSelection();
  EXPECT_EQ(Children("Panel1Form"), "B ");
  EXPECT_TRUE(doc_->Selection().empty());
  doc_->Undo();
  EXPECT_EQ(Children("Panel1Form"), "B A Box ");
  EXPECT_EQ(doc_->Selection(), (std::vector<std::string>{"A", "Box"}));
  // The event keeps its handler's name through every reread.
  EXPECT_NE(doc_->Text().find("OnCreate = FormCreate"), std::string::npos);
}

TEST_F(DesignDocumentTest, MovingIntoAContainerKeepsWhereTheControlShows) {
  doc_->Select({"B", "Box"});
  doc_->MoveSelectionInto(*dynamic_cast<TWinControl*>(doc_->FindControl("Box")));  // Box itself stays
  EXPECT_EQ(Children("Box"), "B ");
  EXPECT_EQ(Bounds("B"), (TRect{-150, -60, -90, -30}));
  EXPECT_EQ(doc_->BoundsInRoot(*doc_->FindControl("B")), (TRect{50, 40, 110, 70}));
  EXPECT_THROW(doc_->MoveSelectionInto(*dynamic_cast<TWinControl*>(doc_->FindControl("A"))), InvalidOperation);
  doc_->Undo();
  EXPECT_EQ(Children("Box"), "");
}

TEST_F(DesignDocumentTest, HitTestAndRubberBandFindTheControlsShown) {
  EXPECT_EQ(doc_->ControlAt({15, 30}).Name(), "A");
  EXPECT_EQ(doc_->ControlAt({300, 280}).Name(), "Panel1Form");
  EXPECT_EQ(doc_->ControlAt({210, 110}).Name(), "Box");
  std::vector<std::string> names;
  for (TControl* c : doc_->ControlsInside({0, 0, 120, 130})) names.push_back(c->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"A", "B"}));
}

TEST_F(DesignDocumentTest, CopiedTextPastesAsRenamedCopiesBesideTheOriginals) {
  doc_->Select({"A", "B"});
  const std::string copied = doc_->CopySelection();
  EXPECT_EQ(copied.rfind("object A: TiSlider\n  Left = 10\n", 0), 0u) << copied;
  doc_->Paste(copied, *dynamic_cast<TWinControl*>(&doc_->Root()));
  EXPECT_EQ(doc_->Selection(), (std::vector<std::string>{"A1", "B1"}));
  EXPECT_EQ(Bounds("A1"), (TRect{18, 28, 48, 128}));
  doc_->Undo();
  EXPECT_EQ(doc_->FindControl("A1"), nullptr);
  EXPECT_FALSE(doc_->IsModified());
}

TEST_F(DesignDocumentTest, TextFromAnEditorPastesIntoAContainerAndBadTextChangesNothing) {
  // A paste reads the components anew: the container is looked up each time.
  const auto box = [this] { return dynamic_cast<TWinControl*>(doc_->FindControl("Box")); };
  doc_->Paste("object Gauge: TiSevenSegmentAnalog\n Left = 5\n Top = 6\n Value = 1.5\nend", *box());
  EXPECT_EQ(Children("Box"), "Gauge ");
  EXPECT_EQ(Bounds("Gauge").Left, 5);
  const std::string text = doc_->Text();
  EXPECT_THROW(doc_->Paste("object X: TiNoSuchThing\nend\n", *box()), StreamError);
  EXPECT_THROW(doc_->Paste("Left = 5", *box()), StreamError);
  EXPECT_THROW(doc_->Paste("object S: TTabSheet\nend\n", *box()), InvalidOperation);
  EXPECT_EQ(doc_->Text(), text);
}

TEST_F(DesignDocumentTest, NewControlsAreNamedAfterTheirClassAndAutoSizedLabelsStoreTheirShownSize) {
  auto& root = *dynamic_cast<TWinControl*>(&doc_->Root());
  TControl& slider = doc_->AddControl("TiSlider", root, {100, 150, 130, 250});
  EXPECT_EQ(slider.Name(), "iSlider1");
  EXPECT_EQ(doc_->AddControl("TiSlider", root, {0, 0, 30, 100}).Name(), "iSlider2");
  TControl& label = doc_->AddControl("TiLabel", root, {10, 250, 38, 263});
  EXPECT_EQ(doc_->Selection(), (std::vector<std::string>{"iLabel1"}));
  EXPECT_EQ(doc_->SetProperty("iLabel1", "Caption", "Tank 1 monitor"), "");
  const int shownWidth = label.Width();
  EXPECT_GT(shownWidth, 60);
  EXPECT_NE(doc_->Text().find("Width = " + std::to_string(shownWidth)), std::string::npos);
  EXPECT_THROW(doc_->AddControl("TiNothing", root, {}), InvalidOperation);
  EXPECT_THROW(doc_->AddControl("TiLabel", *dynamic_cast<TWinControl*>(doc_->FindControl("A")), {}), InvalidOperation);
}

// Property edits: the new value, or the reason with the old value kept.
struct PropertyCase {
  const char* name;
  const char* component;
  const char* path;
  const char* value;
  const char* error;  // "" when the value is taken
  const char* text;   // a line the form text then holds
};

void PrintTo(const PropertyCase& c, std::ostream* out) { *out << c.name; }

class PropertyEditTest : public DesignDocumentTest, public testing::WithParamInterface<PropertyCase> {};

TEST_P(PropertyEditTest, SetsTheValueOrKeepsTheOldOneWithTheReason) {
  const PropertyCase& c = GetParam();
  const std::string before = doc_->Text();
  const std::string error = doc_->SetProperty(c.component, c.path, c.value);
  EXPECT_EQ(error.substr(0, std::string(c.error).size()), c.error);
  EXPECT_EQ(error.empty(), std::string(c.error).empty());
  if (error.empty()) {
    EXPECT_NE(doc_->Text().find(c.text), std::string::npos) << doc_->Text();
    EXPECT_TRUE(doc_->CanUndo());
  } else {
    EXPECT_EQ(doc_->Text(), before);
    EXPECT_FALSE(doc_->CanUndo());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, PropertyEditTest,
    testing::Values(PropertyCase{"Integer", "A", "Left", "12", "", "Left = 12"},
                    PropertyCase{"Enumeration", "A", "Orientation", "ioHorizontal", "", "Orientation = ioHorizontal"},
                    PropertyCase{"NamedColour", "B", "BackGroundColor", "clRed", "", "BackGroundColor = clRed"},
                    PropertyCase{"HeldObject", "Panel1Form", "Font.Style", "[fsBold,fsItalic]", "",
                                 "Font.Style = [fsBold, fsItalic]"},
                    PropertyCase{"Windows1252Text", "Panel1Form", "Caption", "Versión", "", "Caption = 'Versi'#243'n'"},
                    PropertyCase{"NotWindows1252", "Panel1Form", "Caption", "Tank \xE2\x9C\x93",
                                 "'\xE2\x9C\x93' (U+2713)", ""},
                    PropertyCase{"NotUtf8", "Panel1Form", "Caption", "\xFF", "The text is not well-formed UTF-8", ""},
                    PropertyCase{"RefusedName", "A", "Name", "B", "A component named B already exists", ""},
                    PropertyCase{"BadIdentifier", "A", "Name", "9A", "'9A' is not a valid component name", ""},
                    PropertyCase{"NotANumber", "A", "Left", "x", "Invalid value 'x'", ""}),
    [](const testing::TestParamInfo<PropertyCase>& info) { return std::string(info.param.name); });

TEST_F(DesignDocumentTest, ALabelReadWithAHandWrittenSizeTakesTheSizeItShowsOnRequest) {
  TDesignDocument doc("object F: TForm\n  object L: TiLabel\n    Caption = 'Tank 1 monitor'\n  end\nend\n");
  TControl& label = *doc.FindControl("L");
  EXPECT_EQ(label.Width(), 28);  // as read
  doc.Select({"L"});
  doc.SizeSelectionToContent();
  EXPECT_GT(label.Width(), 60);
  EXPECT_NE(doc.Text().find("Width = " + std::to_string(label.Width())), std::string::npos) << doc.Text();
}

// A font chosen in a dialog sets three properties: one undo step, and a
// refusal of any keeps them all.
TEST_F(DesignDocumentTest, SeveralPropertiesAreOneStepAndARefusalKeepsThemAll) {
  const std::string before = doc_->Text();
  EXPECT_EQ(
      doc_->SetProperties("Panel1Form", {{"Font.Name", "Arial"}, {"Font.Size", "12"}, {"Font.Style", "[fsBold]"}}), "");
  EXPECT_NE(doc_->Text().find("Font.Style = [fsBold]"), std::string::npos) << doc_->Text();
  doc_->Undo();
  EXPECT_EQ(doc_->Text(), before);
  EXPECT_FALSE(doc_->CanUndo());
  EXPECT_NE(doc_->SetProperties("Panel1Form", {{"Font.Size", "12"}, {"Font.Style", "[fsNone]"}}), "");
  EXPECT_EQ(doc_->Text(), before);
  EXPECT_FALSE(doc_->CanUndo());
}

// The keyboard's selection through the controls in the file's order (Box,
// A, B): Tab moves it, Ctrl+Tab adds the next one not selected.
TEST_F(DesignDocumentTest, TheKeyboardMovesOrExtendsTheSelectionThroughTheControls) {
  struct Case {
    std::vector<std::string> from;
    bool forward, extend;
    std::vector<std::string> to;
  };
  const Case cases[] = {
      {{}, true, false, {"Box"}},       {{"B"}, true, false, {"Box"}},
      {{"Box"}, false, false, {"B"}},   {{"A", "B"}, true, false, {"Box"}},
      {{"A"}, true, true, {"A", "B"}},  {{"A", "B"}, true, true, {"A", "B", "Box"}},
      {{"B"}, false, true, {"B", "A"}}, {{"Box", "A", "B"}, true, true, {"Box", "A", "B"}},
  };
  for (const Case& c : cases) {
    doc_->Select(c.from);
    doc_->SelectNeighbour(c.forward, c.extend);
    EXPECT_EQ(doc_->Selection(), c.to) << testing::PrintToString(c.from) << c.forward << c.extend;
  }
}

TEST_F(DesignDocumentTest, ARenamedSelectedControlStaysSelected) {
  doc_->Select({"A"});
  EXPECT_EQ(doc_->SetProperty("A", "Name", "Setpoint"), "");
  EXPECT_EQ(doc_->Selection(), (std::vector<std::string>{"Setpoint"}));
}

TEST(DesignDocumentOpen, NamesTheFileAndLineOfAFormThatDoesNotRead) {
  RegisterFormClasses();
  const std::string path = tintoral::test::TestTempPath("broken.txt");
  FILE* f = std::fopen(path.c_str(), "w");
  std::fputs("object F: TForm\n  Left 5\nend\n", f);
  std::fclose(f);
  try {
    TDesignDocument::Open(path);
    FAIL() << "no error";
  } catch (const StreamError& error) {
    EXPECT_EQ(error.Message().rfind(path + ":2: ", 0), 0u) << error.Message();
  }
  EXPECT_THROW(TDesignDocument::Open(path + ".missing"), FileError);
}

}  // namespace
}  // namespace tintoral
