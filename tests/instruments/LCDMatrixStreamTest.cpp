// The LCD matrix in form streams: what the writer writes, the round trip,
// the "Characters" list and its errors, and the main window's banner as a
// form file (tests/instruments/golden/LCDBanner.txt).
//
// LCDBanner.txt is the banner LCD_Main with the full "Characters" list of
// the built-in font, exactly as the form writer writes it; a main form can
// take its LCD_Main block as it is. To write it anew, run the test with
// TINTORAL_LCD_BANNER_OUT=tests/instruments/golden/LCDBanner.txt set:
//   build/tests/instruments_tests --gtest_filter='LCDMatrixStream.TheBannerForm*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "instruments/InstrumentClasses.h"
#include "instruments/LCDMatrix.h"
#include "platform/window/Form.h"
#include "runtime/Exception.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"
#include "tests/platform/graphics/CanvasTestSupport.h"

namespace tintoral {
namespace {

class LCDMatrixStream : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterWindowClasses();
    RegisterInstruments();
  }
};

std::unique_ptr<TiLCDMatrix> Read(const std::string& text) {
  std::unique_ptr<TComponent> root(ReadComponentText(text));
  auto* matrix = dynamic_cast<TiLCDMatrix*>(root.get());
  if (matrix) root.release();
  return std::unique_ptr<TiLCDMatrix>(matrix);
}

// A matrix stream whose "Characters" list has `count` items, item i with
// `data(i)`.
template <class Data>
std::string WithCharacters(int count, Data data) {
  std::string text = "object LCD: TiLCDMatrix\n  Characters = <";
  for (int i = 0; i < count; ++i) text += "\n    item\n      Data = '" + data(i) + "'\n    end";
  return text + ">\nend\n";
}

int Count(const std::string& text, const std::string& what) {
  int count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

TEST_F(LCDMatrixStream, TheWriterWritesTheMarginsAndEveryCharacterButTheLast) {
  TiLCDMatrix m(nullptr);
  m.SetName("LCD");
  const std::string text = WriteComponentText(m);
  for (const char* margin :
       {"OuterMarginLeft = 2", "OuterMarginTop = 2", "OuterMarginRight = 2", "OuterMarginBottom = 2"})
    EXPECT_EQ(Count(text, margin), 1) << margin;
  EXPECT_EQ(Count(text, "item"), 255);
  EXPECT_EQ(Count(text, "Data = '0,0,0,0,0,0,0'"), 33 + 1 + 32);
  EXPECT_EQ(Count(text, "Data = '4,4,4,4,4,0,4'"), 1);
  EXPECT_EQ(Count(text, "Data = '10,0,17,17,15,1,14'"), 0);  // code 255
  EXPECT_EQ(Count(text, "CharactersetName"), 0);
  EXPECT_EQ(Count(text, "CellsWidth"), 0);
}

TEST_F(LCDMatrixStream, AMatrixReadsBackAsItWasWritten) {
  TiLCDMatrix m(nullptr);
  m.SetName("LCD");
  m.SetBounds(0, 0, 200, 40);
  m.SetOuterMarginLeft(5);  // not the default 2, so that it is written
  m.SetOuterMarginTop(0);
  m.SetCellsWidth(3);
  m.SetCellsColorOn(clRed);
  m.SetBorderStyle(ibsNone);
  m.SetCharactersetHeight(8);
  m.Characters(65).SetData("31,31,31,31,31,31,31,31");
  m.Characters(0).SetData("1,2,3,4,5,6,7,8");
  m.SetText(
      "Se\xF1"
      "al A");
  const std::string written = WriteComponentText(m);

  const auto again = Read(written);
  ASSERT_TRUE(again);
  EXPECT_EQ(WriteComponentText(*again), written);
  EXPECT_EQ(again->OuterMarginLeft(), 5);
  EXPECT_EQ(again->OuterMarginTop(), 0);
  EXPECT_EQ(again->Characters(65).Data(), "31,31,31,31,31,31,31,31");
  EXPECT_EQ(again->Text(),
            "Se\xF1"
            "al A");

  test::Surface before(200, 40), after(200, 40);
  m.PaintTo(before.canvas);
  again->PaintTo(after.canvas);
  EXPECT_TRUE(test::SameWindow(before.bitmap, after.bitmap, 0, 0));
}

TEST_F(LCDMatrixStream, ListItemsRewriteTheCharactersInOrder) {
  // 256 items reach code 255; an item's Data changes only the rows it names.
  const auto m =
      Read(WithCharacters(256, [](int code) { return code == 255 ? std::string("1,2") : std::to_string(code); }));
  ASSERT_TRUE(m);
  EXPECT_EQ(m->Characters(65).Data(), "65,17,17,31,17,17,17");
  EXPECT_EQ(m->Characters(255).Data(), "1,2,17,17,15,1,14");

  // A value that is not a list is passed over.
  const auto skipped = Read("object LCD: TiLCDMatrix\n  Characters = 'x'\n  OPCItems = <>\nend\n");
  ASSERT_TRUE(skipped);
  EXPECT_EQ(skipped->Characters(65).Data(), "14,17,17,31,17,17,17");
}

TEST_F(LCDMatrixStream, AMalformedListChangesNoCharacter) {
  struct Case {
    std::string text;
    const char* error;
  };
  const Case cases[] = {
      {WithCharacters(257, [](int) { return std::string("9"); }), "List index out of bounds (256)"},
      {WithCharacters(3, [](int code) { return code == 2 ? std::string("1,x") : std::string("9"); }),
       "'x' is not a valid integer value"},
      {"object LCD: TiLCDMatrix\n  Characters = <\n    item\n      Data = '9'\n    end\nend\n", ""},
  };
  for (const Case& c : cases) {
    EXPECT_THROW(Read(c.text), Exception);
    TiLCDMatrix existing(nullptr);
    try {
      ReadRootComponentText(c.text, existing);
      ADD_FAILURE() << "read without error";
    } catch (const Exception& e) {
      if (*c.error) {
        EXPECT_EQ(e.Message(), c.error);
      }
    }
    EXPECT_EQ(existing.Characters(0).Data(), "0,0,0,0,0,0,0");
    EXPECT_EQ(existing.Characters(2).Data(), "0,0,0,0,0,0,0");
  }
  EXPECT_THROW(Read(WithCharacters(257, [](int) { return std::string("9"); })), ListIndexError);
}

TEST_F(LCDMatrixStream, OutOfRangeSizesInAStreamAreIgnored) {
  const auto m =
      Read("object LCD: TiLCDMatrix\n  CellsWidth = 0\n  CharactersetWidth = -2\n  OuterMarginTop = -1\nend\n");
  ASSERT_TRUE(m);
  EXPECT_EQ(m->CellsWidth(), 2);
  EXPECT_EQ(m->CharactersetWidth(), 5);
  EXPECT_EQ(m->OuterMarginTop(), 2);
}

// The banner LCD_Main in a form of its own.
std::string BannerFormText() {
  TForm form(nullptr);
  form.SetName("LCDBanner");
  form.SetBorderStyle(bsNone);
  form.SetCaption("LCDBanner");
  form.SetClientWidth(629);
  form.SetClientHeight(57);
  auto* lcd = new TiLCDMatrix(&form);
  lcd->SetName("LCD_Main");
  lcd->SetParent(&form);
  lcd->SetBounds(8, 8, 613, 41);
  lcd->SetCellsShowOff(true);
  lcd->SetBorderStyle(ibsLowered);
  lcd->SetText(
      "Tintoral: se\xF1"
      "ales de color en TV");
  return WriteComponentText(form);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(LCDMatrixStream, TheBannerFormCarriesTheBuiltInFontList) {
  const std::string expected = BannerFormText();
  if (const char* out = std::getenv("TINTORAL_LCD_BANNER_OUT")) std::ofstream(out, std::ios::binary) << expected;
  const auto golden = std::filesystem::path(QT_TESTCASE_SOURCEDIR) / "instruments" / "golden" / "LCDBanner.txt";
  const std::string text = ReadFile(golden);
  EXPECT_TRUE(text == expected) << golden << " differs from what the writer writes";

  std::unique_ptr<TComponent> form(ReadComponentText(text));
  auto* lcd = dynamic_cast<TiLCDMatrix*>(form->FindComponent("LCD_Main"));
  ASSERT_NE(lcd, nullptr);
  TiLCDMatrix fresh(nullptr);
  for (int code = 0; code < 256; ++code) EXPECT_EQ(lcd->Characters(code).Data(), fresh.Characters(code).Data()) << code;
  EXPECT_EQ(Count(text, "item"), 255);
}

}  // namespace
}  // namespace tintoral
