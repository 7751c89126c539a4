// System colours from the Qt palette: roles Qt has, classic values for the rest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

#include "platform/graphics/Color.h"
#include "platform/window/SystemPalette.h"

namespace tintoral {
namespace {

TEST(SystemPalette, FillsTheColoursQtHasAndKeepsClassicValuesForTheOthers) {
  SystemColors::ResetToClassic();
  const std::uint32_t classicCaption = SystemColors::Get(COLOR_ACTIVECAPTION);
  const QPalette saved = QApplication::palette();
  QPalette palette = saved;
  palette.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
  palette.setColor(QPalette::Active, QPalette::Text, QColor(10, 20, 30));
  palette.setColor(QPalette::Disabled, QPalette::Text, QColor(40, 50, 60));
  QApplication::setPalette(palette);
  LoadSystemColorsFromPalette();
  const std::uint32_t face = SystemColors::Get(COLOR_BTNFACE);
  const std::uint32_t text = SystemColors::Get(COLOR_WINDOWTEXT);
  const std::uint32_t gray = SystemColors::Get(COLOR_GRAYTEXT);
  const std::uint32_t caption = SystemColors::Get(COLOR_ACTIVECAPTION);
  QApplication::setPalette(saved);
  SystemColors::ResetToClassic();
  EXPECT_EQ(face, static_cast<std::uint32_t>(RGB(1, 2, 3)));
  EXPECT_EQ(text, static_cast<std::uint32_t>(RGB(10, 20, 30)));
  EXPECT_EQ(gray, static_cast<std::uint32_t>(RGB(40, 50, 60)));
  EXPECT_EQ(caption, classicCaption);
}

}  // namespace
}  // namespace tintoral
