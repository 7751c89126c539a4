// TiVCLComponent: the lock, the timer service, bounds changes and the data
// link's item manager with its stream property "OPCItems".
#include "instruments/base/InstrumentComponent.h"
#include "instruments/base/PropertyFile.h"
#include "runtime/ClassBuilder.h"

namespace tintoral {

const TClassInfo& TiVCLComponent::StaticClass() {
  static const TClassInfo info = DescribeClass<TiVCLComponent>("TiVCLComponent", TiComponent::StaticClass(), [](auto& b) {
    b.Event("OnNewOPCData", &TiVCLComponent::OnNewOPCData, &TiVCLComponent::SetOnNewOPCData);
    b.Event("OnBeforeNewOPCData", &TiVCLComponent::OnBeforeNewOPCData, &TiVCLComponent::SetOnBeforeNewOPCData);
    b.StreamProperty("OPCItems", &TiVCLComponent::ReadOPCItems, &TiVCLComponent::WriteOPCItems,
                     [](const TiVCLComponent& c) { return c.OPCItemManager().HasItems(); });
  });
  return info;
}

const TClassInfo& TiCustomComponent::StaticClass() {
  static const TClassInfo info("TiCustomComponent", &TiVCLComponent::StaticClass());
  return info;
}

TiVCLComponent::TiVCLComponent(TComponent* owner)
    : TiComponent(owner),
      opcItems_(this, {.isDesigning = [this] { return IsDesigning(); },
                       .newData = nullptr,
                       .propertyKind = [this](const std::string& name) { return GetPropertyKind(*this, name); }}) {
  timer_.SetOnTimer([this] { onTimerTick_(this); });
}

TiVCLComponent::~TiVCLComponent() {
  timer_.Stop();
  lock_.BeginDestroying();
}

// ---- Lock ------------------------------------------------------------------------

void TiVCLComponent::Lock() { lock_.Enter(); }

void TiVCLComponent::Unlock() { lock_.Leave(); }

// ---- Timer -------------------------------------------------------------------------

bool TiVCLComponent::TimerRunning() { return timer_.Running(); }

void TiVCLComponent::TimerStart(int firstDelayMs, int intervalMs) {
  if (TimerRunning()) return;
  const int firstDelay = firstDelayMs != 0 ? firstDelayMs : intervalMs;
  if (firstDelay == 0) return;
  timer_.Start(firstDelay, intervalMs);
}

void TiVCLComponent::TimerStop() { timer_.Stop(); }

// ---- Bounds --------------------------------------------------------------------

void TiVCLComponent::SetBounds(int left, int top, int width, int height) {
  if (left == Left() && top == Top() && width == Width() && height == Height()) return;
  TiComponent::SetBounds(left, top, width, height);
  if (parentSnapshot_ && Width() > 0 && Height() > 0) parentSnapshot_->SetSize(Width(), Height());
  RequestSnapshot();
  RequestBackgroundRepaint();
}

void TiVCLComponent::RefreshBackground() {
  TiComponent::RefreshBackground();
  RequestSnapshot();
}

// ---- Data link -------------------------------------------------------------------

bool TiVCLComponent::DataLinkApply(TiOPCItem&) { return false; }

bool TiVCLComponent::DataLinkWrite(const std::string&, const TVariant&) { return false; }

void TiVCLComponent::ReadOPCItems(TReader& reader) { opcItems_.ReadItems(reader); }

void TiVCLComponent::WriteOPCItems(TWriter& writer) const { opcItems_.WriteItems(writer); }

}  // namespace tintoral
