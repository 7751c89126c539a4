#include <gtest/gtest.h>

#include <algorithm>

#include "instruments/ShadowLabel.h"
#include "tools/paneldesigner/PropertyRows.h"

namespace tintoral {
namespace {

const TPropertyRow& Row(const std::vector<TPropertyRow>& rows, const std::string& path) {
  const auto it = std::find_if(rows.begin(), rows.end(), [&](const TPropertyRow& r) { return r.path == path; });
  if (it == rows.end()) throw std::runtime_error("no row " + path);
  return *it;
}

TEST(PropertyRows, ListEveryPublishedPropertyWithItsEditorValueAndDefault) {
  TiLabel label(nullptr);
  label.SetCaption("Versi\xF3n");  // Windows-1252
  label.Font().SetColor(clRed);
  label.SetShadowXOffset(3);
  const std::vector<TPropertyRow> rows = PropertyRowsOf(label);

  const TPropertyRow& caption = Row(rows, "Caption");
  EXPECT_EQ(caption.value, "Versión");
  EXPECT_FALSE(caption.isDefault);

  const TPropertyRow& font = Row(rows, "Font");
  EXPECT_EQ(font.editor, TPropertyRow::TEditor::Font);
  EXPECT_EQ(font.value, "(TFont)");
  const TPropertyRow& fontColor = Row(rows, "Font.Color");
  EXPECT_EQ(fontColor.depth, 1);
  EXPECT_EQ(fontColor.editor, TPropertyRow::TEditor::Color);
  EXPECT_EQ(fontColor.value, "clRed");
  EXPECT_EQ(Row(rows, "Font.Style").editor, TPropertyRow::TEditor::Set);
  EXPECT_EQ(Row(rows, "Font.Style").choices,
            (std::vector<std::string>{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));

  EXPECT_FALSE(Row(rows, "ShadowXOffset").isDefault);
  EXPECT_TRUE(Row(rows, "ShadowYOffset").isDefault);
  const TPropertyRow& border = Row(rows, "BorderStyle");
  EXPECT_EQ(border.editor, TPropertyRow::TEditor::Choice);
  EXPECT_EQ(border.choices.front(), "ilbsNone");
  const TPropertyRow& autoSize = Row(rows, "AutoSize");
  EXPECT_EQ(autoSize.choices, (std::vector<std::string>{"False", "True"}));

  const auto event = std::find_if(rows.begin(), rows.end(),
                                  [](const TPropertyRow& r) { return r.editor == TPropertyRow::TEditor::Event; });
  ASSERT_NE(event, rows.end());
  EXPECT_TRUE(event->readOnly);
  EXPECT_EQ(Row(rows, "FocusControl").editor, TPropertyRow::TEditor::Reference);
}

}  // namespace
}  // namespace tintoral
