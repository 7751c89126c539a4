// TiVCLComponent: the lock, the timer service, bounds changes and the
// stream property "OPCItems" (the data link itself: InstrumentDataLink.cpp).
#include "instruments/base/InstrumentComponent.h"
#include "runtime/ClassBuilder.h"
#include "runtime/Exception.h"

namespace tintoral {

const TClassInfo& TiVCLComponent::StaticClass() {
  static const TClassInfo info =
      DescribeClass<TiVCLComponent>("TiVCLComponent", TiComponent::StaticClass(), [](auto& b) {
        b.Event("OnNewOPCData", &TiVCLComponent::OnNewOPCData, &TiVCLComponent::SetOnNewOPCData);
        b.Event("OnBeforeNewOPCData", &TiVCLComponent::OnBeforeNewOPCData, &TiVCLComponent::SetOnBeforeNewOPCData);
        b.Event("OnOPCError", &TiVCLComponent::OnOPCError, &TiVCLComponent::SetOnOPCError);
        b.StreamProperty("OPCItems", &TiVCLComponent::ReadOPCItems, &TiVCLComponent::WriteOPCItems,
                         [](const TiVCLComponent& c) { return c.OPCItemManager().HasItems(); });
      });
  return info;
}

const TClassInfo& TiCustomComponent::StaticClass() {
  static const TClassInfo info("TiCustomComponent", &TiVCLComponent::StaticClass());
  return info;
}

TiVCLComponent::TiVCLComponent(TComponent* owner) : TiComponent(owner), opcItems_(this, DataLinkCallbacks()) {
  timer_.SetOnTimer([this] { onTimerTick_(this); });
}

TiVCLComponent::~TiVCLComponent() {
  opcItems_.Clear();  // the items disconnect while the instrument is whole
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
  if (parentSnapshot_ && Width() > 0 && Height() > 0) ResizeParentSnapshot();
  RequestSnapshot();
  RequestBackgroundRepaint();
}

// A size no bitmap can take leaves the snapshot empty: setting the bounds
// never fails, and the paint reports the size it cannot draw.
void TiVCLComponent::ResizeParentSnapshot() {
  try {
    parentSnapshot_->SetSize(Width(), Height());
  } catch (const GraphicsError&) {
    parentSnapshot_->SetSize(0, 0);
  }
}

void TiVCLComponent::RefreshBackground() {
  TiComponent::RefreshBackground();
  RequestSnapshot();
}

}  // namespace tintoral
