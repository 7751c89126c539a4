#pragma once
// TiTrendChannel: one line of a trend chart - its caption, colour, pen,
// visibility, value axis and its bounded history (TTrendHistory).
//
// Setting Value records a sample at the chart's clock (outside loading);
// the data link binds it as "ChannelN.Value" and then records the server's
// time stamp when one comes with the value (TiTrendChart::DataLinkApply).
#include <cstdint>
#include <functional>
#include <string>

#include "instruments/TrendChartHistory.h"
#include "platform/graphics/Color.h"
#include "runtime/Persistent.h"
#include "runtime/PropertyInfo.h"

namespace tintoral {

enum TiTrendValueAxis : int { itvaLeft = 0, itvaRight = 1 };
const TEnumType& EnumTypeOf(TiTrendValueAxis);

class TiTrendChannel : public TPersistent {
  TINTORAL_CLASS(TiTrendChannel, TPersistent)

 public:
  static constexpr int kMaxPenWidth = 16;

  TiTrendChannel() = default;

  // ---- Published ----------------------------------------------------------
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  // Held to 1 … kMaxPenWidth.
  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  TiTrendValueAxis ValueAxis() const { return valueAxis_; }
  void SetValueAxis(TiTrendValueAxis value);
  // Steps: each value holds until the next (no slanted joins).
  bool Steps() const { return steps_; }
  void SetSteps(bool value);
  // The newest value (NaN when there is none or it is a gap); setting it
  // records a sample now.
  double Value() const;
  void SetValue(double value);

  // ---- History --------------------------------------------------------------
  TTrendHistory& History() { return history_; }
  const TTrendHistory& History() const { return history_; }

  // The chart's hooks: `changed` repaints, `record` stores a value set
  // through Value at the chart's clock.
  void SetHooks(std::function<void()> changed, std::function<void(TiTrendChannel&, double)> record) {
    changed_ = std::move(changed);
    record_ = std::move(record);
  }

  void Assign(const TPersistent& source) override;

 private:
  void Changed() const {
    if (changed_) changed_();
  }

  std::string caption_;
  TColor color_ = clBlue;
  int penWidth_ = 1;
  bool visible_ = true;
  TiTrendValueAxis valueAxis_ = itvaLeft;
  bool steps_ = false;
  TTrendHistory history_;
  std::function<void()> changed_;
  std::function<void(TiTrendChannel&, double)> record_;
};

}  // namespace tintoral
