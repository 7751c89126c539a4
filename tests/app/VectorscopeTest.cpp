// The vectorscope: the targets sit where the main window's diagram puts the
// bars' vectors, and the surface that keeps the graticule draws, colour
// after colour, exactly the picture drawn afresh, saying every part it
// changed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ColorBars.h"
#include "app/Vectorscope.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/app/AppTestSupport.h"

namespace tintoral {
namespace {

TEST(VectorscopeTest, TargetsSitOnTheBarsVectorsAsTheMainDiagramScalesThem) {
  // 100 % red: U -0.1476, V 0.6139, 150 pixels a unit (-22, 92 from the centre).
  EXPECT_EQ(VectorscopePoint(BarColor(TBarSet::Full, 5)), (TPoint{120 - 22, 120 - 92}));
  EXPECT_EQ(VectorscopePoint(BarColor(TBarSet::Full, 0)), (TPoint{120, 120}));  // white: no chroma
}

TEST(VectorscopeTest, TheSurfaceDrawsWhatAFreshDrawingDraws) {
  TBitmap kept(kVectorscopeSize, kVectorscopeSize);
  TVectorscopeSurface surface;
  for (const TSliderColor colour : {TSliderColor{100, 0, 0}, TSliderColor{0, 0, 0}, TSliderColor{37.5, 62, 18.3},
                                    TSliderColor{75, 75, 0}, TSliderColor{0, 0, 100}, TSliderColor{0, 100, 100}}) {
    const TColorSignalValues values = ComputeColorSignals(colour.Red, colour.Green, colour.Blue);
    TBitmap before;
    before.Assign(kept);
    const std::vector<TRect> changed = surface.Redraw(kept.Canvas(), values);
    TBitmap fresh(kVectorscopeSize, kVectorscopeSize);
    DrawVectorscope(fresh.Canvas(), values);
    SCOPED_TRACE(std::to_string(colour.Red) + " " + std::to_string(colour.Green) + " " + std::to_string(colour.Blue));
    EXPECT_TRUE(app_testing::PixelsOf(kept) == app_testing::PixelsOf(fresh));
    EXPECT_TRUE(app_testing::ChangesLieIn(before, kept, changed));
  }
}

}  // namespace
}  // namespace tintoral
