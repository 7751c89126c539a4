// Every form file of the repository (the program's windows, the example
// panel, the tests' forms) opens in the designer; saving it untouched writes
// the same bytes; a change writes only its own line; and the form writer's
// text of it reads back to the same text and shows the same pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/graphics/Bitmap.h"
#include "platform/window/Control.h"
#include "tests/support/SourceTree.h"
#include "tools/formshot/FormLoading.h"
#include "tools/paneldesigner/DesignDocument.h"

namespace tintoral {
namespace {

namespace fs = std::filesystem;

// The form files below the folders that hold forms: text files that start
// with an object. (The fuzz corpora are inputs made to break the reader,
// not forms.)
std::vector<std::string> FormFiles() {
  std::vector<std::string> files;
  for (const char* folder : {"app", "examples", "tests", "docs"}) {
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(fs::path(test::SourceRoot()) / folder)) {
      if (!entry.is_regular_file() || entry.path().extension() != ".txt") continue;
      const std::string relative = fs::relative(entry.path(), test::SourceRoot()).string();
      if (test::SourceFileText(relative).rfind("object ", 0) == 0) files.push_back(relative);
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RoundTripTest : public testing::TestWithParam<std::string> {
 protected:
  static void SetUpTestSuite() { RegisterFormClasses(); }
};

TEST_P(RoundTripTest, SavingAnUntouchedFormWritesTheSameBytes) {
  const std::string original = test::SourceFileText(GetParam());
  const auto document = TDesignDocument::Open(test::SourceRoot() + "/" + GetParam());
  EXPECT_FALSE(document->IsModified());
  // One file per form: CTest may run the forms' tests side by side.
  const std::string copy =
      testing::TempDir() + "roundtrip-" + std::to_string(std::hash<std::string>()(GetParam())) + ".txt";
  document->SaveAs(copy);
  EXPECT_EQ(FileBytes(copy), original);
}

// The lines of `b` that are not in `a` at the same place, with their numbers.
std::vector<std::string> ChangedLines(const std::string& a, const std::string& b) {
  std::vector<std::string> changed;
  std::size_t pa = 0, pb = 0;
  for (int line = 1; pa < a.size() || pb < b.size(); ++line) {
    const std::size_t ea = std::min(a.find('\n', pa), a.size()), eb = std::min(b.find('\n', pb), b.size());
    if (a.compare(pa, ea - pa, b, pb, eb - pb) != 0)
      changed.push_back(std::to_string(line) + ": " + b.substr(pb, eb - pb));
    pa = ea + 1;
    pb = eb + 1;
  }
  return changed;
}

TEST_P(RoundTripTest, AMoveChangesOnlyThatControlsLineAndUndoGivesTheBytesBack) {
  const std::string original = test::SourceFileText(GetParam());
  const auto document = TDesignDocument::Open(test::SourceRoot() + "/" + GetParam());
  TControl* moved = nullptr;
  for (int i = 0; i < document->Root().ComponentCount() && !moved; ++i)
    moved = dynamic_cast<TControl*>(document->Root().Components(i));
  if (!moved) GTEST_SKIP() << "no control to move";
  document->SelectControl(moved);
  document->MoveSelection(0, 1);
  const std::vector<std::string> changed = ChangedLines(original, document->Text());
  ASSERT_EQ(changed.size(), 1u) << testing::PrintToString(changed);
  EXPECT_NE(changed.front().find("Top = " + std::to_string(moved->Top())), std::string::npos) << changed.front();
  document->Undo();
  EXPECT_EQ(document->Text(), original);
}

TEST_P(RoundTripTest, TheWritersTextReadsBackTheSameAndShowsTheSamePixels) {
  const auto document = TDesignDocument::Open(test::SourceRoot() + "/" + GetParam());
  const TDesignDocument rewritten(document->WrittenText());
  EXPECT_EQ(rewritten.WrittenText(), document->WrittenText());
  TBitmap fromFile, fromWriter;
  try {
    document->Root().RenderTo(fromFile);
    rewritten.Root().RenderTo(fromWriter);
  } catch (const std::exception&) {
    // A form made to fail drawing (too large) fails both ways alike.
  }
  ASSERT_EQ(fromFile.Width(), fromWriter.Width());
  ASSERT_EQ(fromFile.Height(), fromWriter.Height());
  for (int y = 0; y < fromFile.Height(); ++y)
    ASSERT_TRUE(std::equal(fromFile.ScanLine(y), fromFile.ScanLine(y) + fromFile.Width(), fromWriter.ScanLine(y)))
        << "row " << y;
}

TEST(RoundTripFiles, IncludeTheProgramsWindowsAndTheExamplePanel) {
  const std::vector<std::string> files = FormFiles();
  for (const char* form : {"app/forms/MainForm.txt", "app/forms/AboutBox.txt", "examples/opcua/DemoPanel.txt"})
    EXPECT_NE(std::find(files.begin(), files.end(), form), files.end()) << form;
}

INSTANTIATE_TEST_SUITE_P(Repository, RoundTripTest, testing::ValuesIn(FormFiles()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(0, info.param.size() - 4);
                           std::replace_if(
                               name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                           return name;
                         });

}  // namespace
}  // namespace tintoral
