#pragma once
// A positional instrument bound to the test link library for the data-link
// tests: it pushes Position to the data link the way the slider does,
// records what its last paint showed, and publishes a font (a held object),
// a caption and its border style beside the position properties.
#include <chrono>
#include <string>
#include <thread>

#include "instruments/base/PositionComponent.h"
#include "instruments/opc/OPCLibrary.h"
#include "linklib/testlink/TestLinkClient.h"
#include "platform/window/ControlProperties.h"
#include "runtime/ClassBuilder.h"

namespace tintoral::test {

// Lets a display frame pass: the data link paces each instrument to one
// delivery pass per frame, so a value served after this is taken at once.
inline void LetAFramePass() { std::this_thread::sleep_for(std::chrono::milliseconds(17)); }

class TLinkedGauge : public TiPositionComponent {
  TINTORAL_CLASS(TLinkedGauge, TiPositionComponent)

 public:
  explicit TLinkedGauge(TComponent* owner) : TiPositionComponent(owner) { SetBounds(0, 0, 40, 20); }

  double shownPosition = -1;  // Position at the last paint
  bool applyItself = false;   // DataLinkApply's answer

  void PaintTo(TCanvas& canvas) override {
    shownPosition = Position();
    DrawBackground(canvas, BackGroundColor());
  }
  void DataLinkPushPosition() override { DataLinkWrite("Position", Position()); }
  bool DataLinkApply(TiOPCItem&) override { return applyItself; }

  // Binds the property to an item of the simulated server and connects.
  TiOPCItem& Bind(const std::string& propertyName, const std::string& itemName) {
    TiOPCItem& item = OPCItemManager().Add();
    item.SetPropertyName(propertyName);
    item.SetServerName("Plant.Server");
    item.SetItemName(itemName);
    item.ConnectItem();
    return item;
  }
};

inline const TClassInfo& TLinkedGauge::StaticClass() {
  using T = TLinkedGauge;
  static const TClassInfo info = DescribeClass<T>("TLinkedGauge", TiPositionComponent::StaticClass(), [](auto& b) {
    PublishControlProperties(b, {"Caption", "Font"});
    b.Property("BorderStyle", &T::BorderStyle, &T::SetBorderStyle).Default(ibsNone);
  });
  return info;
}

// The test link library as the loader found it, emptied for each test.
inline TestLinkClient& TestLink() {
  static TestLinkClient link(OPCLibrary().FilePath());
  return link;
}

}  // namespace tintoral::test
