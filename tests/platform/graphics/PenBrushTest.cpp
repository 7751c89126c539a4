#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Pen.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

TEST(PenTest, SettersNotifyOnlyOnRealChanges) {
  TPen pen;
  int changes = 0;
  pen.SetOnChange([&] { ++changes; });
  pen.SetColor(clBlack);
  pen.SetStyle(psSolid);
  pen.SetWidth(1);
  pen.SetMode(pmCopy);
  EXPECT_EQ(changes, 0);
  pen.SetColor(clRed);
  pen.SetStyle(psDot);
  pen.SetWidth(3);
  pen.SetMode(pmXor);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(pen.Color(), clRed);
  EXPECT_EQ(pen.Style(), psDot);
  EXPECT_EQ(pen.Width(), 3);
  EXPECT_EQ(pen.Mode(), pmXor);
}

TEST(PenTest, WidthBelowOneIsOne) {
  TPen pen;
  int changes = 0;
  pen.SetOnChange([&] { ++changes; });
  pen.SetWidth(0);
  pen.SetWidth(-5);
  EXPECT_EQ(pen.Width(), 1);
  EXPECT_EQ(changes, 0);
  pen.SetWidth(4);
  pen.SetWidth(-1);
  EXPECT_EQ(pen.Width(), 1);
  EXPECT_EQ(changes, 2);
}

TEST(PenTest, AssignCopiesEverythingWithOneNotification) {
  TPen source;
  source.SetColor(clBlue);
  source.SetStyle(psDash);
  source.SetWidth(2);
  source.SetMode(pmMerge);
  TPen pen;
  int changes = 0;
  pen.SetOnChange([&] { ++changes; });
  pen.Assign(source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(pen.Color(), clBlue);
  EXPECT_EQ(pen.Style(), psDash);
  EXPECT_EQ(pen.Width(), 2);
  EXPECT_EQ(pen.Mode(), pmMerge);
}

TEST(BrushTest, SettersNotifyOnlyOnRealChanges) {
  TBrush brush;
  int changes = 0;
  brush.SetOnChange([&] { ++changes; });
  brush.SetColor(clWhite);
  brush.SetStyle(bsSolid);
  EXPECT_EQ(changes, 0);
  brush.SetColor(clLime);
  brush.SetStyle(bsCross);
  EXPECT_EQ(changes, 2);
}

TEST(BrushTest, SettingAColourMakesAClearBrushSolid) {
  TBrush brush;
  brush.SetStyle(bsClear);
  int changes = 0;
  brush.SetOnChange([&] { ++changes; });
  brush.SetColor(clWhite);  // same colour, still a change of style
  EXPECT_EQ(brush.Style(), bsSolid);
  EXPECT_EQ(changes, 1);
  brush.SetStyle(bsHorizontal);
  brush.SetColor(clRed);
  EXPECT_EQ(brush.Style(), bsHorizontal);  // hatches keep their style
}

TEST(BrushTest, AssignCopiesWithOneNotification) {
  TBrush source;
  source.SetColor(clNavy);
  source.SetStyle(bsClear);
  TBrush brush;
  int changes = 0;
  brush.SetOnChange([&] { ++changes; });
  brush.Assign(source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(brush.Color(), clNavy);
  EXPECT_EQ(brush.Style(), bsClear);
}

TEST(GraphicsObjectTest, AssignFromAnotherClassRaisesAndChangesNothing) {
  TPen pen;
  TBrush brush;
  TBitmap bitmap(2, 2);
  int changes = 0;
  pen.SetOnChange([&] { ++changes; });
  brush.SetOnChange([&] { ++changes; });
  bitmap.SetOnChange([&] { ++changes; });
  EXPECT_THROW(pen.Assign(brush), InvalidOperation);
  EXPECT_THROW(brush.Assign(pen), InvalidOperation);
  EXPECT_THROW(bitmap.Assign(pen), InvalidOperation);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(bitmap.Width(), 2);
}

}  // namespace
}  // namespace tintoral
