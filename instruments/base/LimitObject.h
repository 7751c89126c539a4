#pragma once
// One limit band of a position component: a position above the upper value
// or below the lower value is reported by the component's band events.

namespace tintoral {

class TiLimitObject {
 public:
  TiLimitObject() = default;
  TiLimitObject(double lowerValue, double upperValue) : lowerValue_(lowerValue), upperValue_(upperValue) {}

  double UpperValue() const { return upperValue_; }
  void SetUpperValue(double value) { upperValue_ = value; }
  double LowerValue() const { return lowerValue_; }
  void SetLowerValue(double value) { lowerValue_ = value; }

 private:
  double lowerValue_ = 0;
  double upperValue_ = 0;
};

}  // namespace tintoral
