// The bar strip: moving the frame from bar to bar redraws only those bars
// and leaves the strip as drawn afresh with the new frame.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "app/BarStrip.h"
#include "platform/graphics/Bitmap.h"
#include "tests/app/AppTestSupport.h"

namespace tintoral {
namespace {

TEST(BarStripTest, MovingTheFrameDrawsWhatAFreshStripDraws) {
  TBitmap kept(kBarStripWidth, kBarStripHeight);
  DrawBarStrip(kept.Canvas(), TBarSet::Full, std::nullopt);
  std::optional<TBarChoice> framed;
  const std::optional<TBarChoice> moves[] = {TBarChoice{TBarSet::Full, 7}, TBarChoice{TBarSet::Reduced, 1},
                                             TBarChoice{TBarSet::Reduced, 2}, std::nullopt,
                                             TBarChoice{TBarSet::Full, 0}};
  for (const std::optional<TBarChoice>& to : moves) {
    TBitmap before;
    before.Assign(kept);
    const std::vector<TRect> changed = MoveBarFrame(kept.Canvas(), framed, to);
    framed = to;
    TBitmap fresh(kBarStripWidth, kBarStripHeight);
    DrawBarStrip(fresh.Canvas(), TBarSet::Full, to);
    SCOPED_TRACE(to ? to->Index : -1);
    EXPECT_TRUE(app_testing::PixelsOf(kept) == app_testing::PixelsOf(fresh));
    EXPECT_TRUE(app_testing::ChangesLieIn(before, kept, changed));
  }
}

}  // namespace
}  // namespace tintoral
