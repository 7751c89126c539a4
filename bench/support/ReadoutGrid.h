#pragma once
// A shown form of many seven-segment readouts, each with its Value bound to
// an item of its own: the link benchmarks' panel of 1,000 instruments.
#include <functional>
#include <string>
#include <vector>

#include "instruments/SevenSegmentAnalog.h"
#include "instruments/opc/OPCLibrary.h"
#include "platform/window/Form.h"

namespace tintoral::bench {

class ReadoutGrid {
 public:
  // Readout i shows `itemName(i)` of `serverName`; `library` must outlive
  // the grid.
  ReadoutGrid(TiOPCLibrary& library, const std::string& serverName, int count,
              const std::function<std::string(int)>& itemName, int updateRate) {
    form_.SetBounds(0, 0, kColumns * 24, (count + kColumns - 1) / kColumns * 14);
    for (int i = 0; i < count; ++i) {
      auto* readout = new TiSevenSegmentAnalog(&form_);
      readout->SetParent(&form_);
      readout->SetBounds(i % kColumns * 24, i / kColumns * 14, 24, 14);
      readout->OPCItemManager().SetLibrary(&library);
      TiOPCItem& item = readout->OPCItemManager().Add();
      item.SetPropertyName("Value");
      item.SetServerName(serverName);
      item.SetItemName(itemName(i));
      item.SetUpdateRate(updateRate);
      item.ConnectItem();
      readouts_.push_back(readout);
    }
    form_.Show();
  }
  ~ReadoutGrid() {
    for (TiSevenSegmentAnalog* readout : readouts_) readout->OPCItemManager().Clear();
  }
  ReadoutGrid(const ReadoutGrid&) = delete;
  ReadoutGrid& operator=(const ReadoutGrid&) = delete;

  int Count() const { return static_cast<int>(readouts_.size()); }
  double Value(int index) const { return readouts_[static_cast<std::size_t>(index)]->Value(); }

 private:
  static constexpr int kColumns = 40;
  TForm form_{nullptr};
  std::vector<TiSevenSegmentAnalog*> readouts_;
};

}  // namespace tintoral::bench
