#pragma once
// A shown form with one analog readout that notes each value it paints and
// when: the data-link benchmarks bind its Value to an item and time the way
// of a value to the screen.
#include <chrono>
#include <cmath>

#include "instruments/SevenSegmentAnalog.h"
#include "instruments/opc/OPCLibrary.h"
#include "platform/window/Form.h"

namespace tintoral::bench {

class ShownReadout {
 public:
  using Clock = std::chrono::steady_clock;

  // The readout's items come from `library`, which must outlive it.
  explicit ShownReadout(TiOPCLibrary& library) {
    form_.SetBounds(0, 0, 200, 80);
    readout_ = new TiSevenSegmentAnalog(&form_);
    readout_->SetParent(&form_);
    readout_->SetBounds(10, 10, 84, 28);
    readout_->SetPrecision(0);
    readout_->SetOnPaint([this](TObject*, TCanvas&) {
      shownValue_ = readout_->Value();
      lastPaint_ = Clock::now();
      ++paints_;
    });
    readout_->OPCItemManager().SetLibrary(&library);
  }
  ~ShownReadout() { ClearItems(); }
  ShownReadout(const ShownReadout&) = delete;
  ShownReadout& operator=(const ShownReadout&) = delete;

  void Show() { form_.Show(); }
  void ClearItems() { readout_->OPCItemManager().Clear(); }
  // A new item bound to the readout's Value.
  TiOPCItem& AddValueItem() {
    TiOPCItem& item = readout_->OPCItemManager().Add();
    item.SetPropertyName("Value");
    return item;
  }

  double ShownValue() const { return shownValue_; }
  Clock::time_point LastPaint() const { return lastPaint_; }
  long Paints() const { return paints_; }

 private:
  TForm form_{nullptr};
  TiSevenSegmentAnalog* readout_ = nullptr;
  double shownValue_ = std::nan("");
  Clock::time_point lastPaint_;
  long paints_ = 0;
};

}  // namespace tintoral::bench
