#pragma once
// TiPositionComponent: the base of instruments that show or set one value,
// Position, within [PositionMin, PositionMax]. It clamps the value, follows
// the peak values CurrentMax / CurrentMin (unless MinMaxFixed), tests the
// limit bands and fires the position events in a fixed order:
//
//   peaks (OnCurrentMaxChange, OnCurrentMinChange), OnPositionOverMax,
//   OnPositionUnderMin, band events in list order, repaint, data-link push
//   (unless UserChanging), property-change hook, OnPositionChange,
//   OnPositionChangeUser (while UserChanging).
//
// While the component is loading every setter only stores: no clamping, no
// events, no hooks. The stream companion "PositionMax_2" carries PositionMax
// exactly, so that a maximum of 0 survives a form round trip.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "instruments/base/InstrumentComponent.h"
#include "instruments/base/LimitObject.h"
#include "runtime/Event.h"

namespace tintoral {

class TReader;
class TWriter;

// (Sender, LimitIndex): the position passed a limit band.
using TOnPositionLimit = TEvent<std::int32_t>;

class TiPositionComponent : public TiCustomComponent {
  TINTORAL_CLASS(TiPositionComponent, TiCustomComponent)

 public:
  explicit TiPositionComponent(TComponent* owner);
  ~TiPositionComponent() override;

  // ---- Published ----------------------------------------------------------
  double Position() const { return FetchPosition(); }
  void SetPosition(double value) { AcceptPosition(value); }
  double PositionMax() const { return positionMax_; }
  double PositionMin() const { return positionMin_; }
  // Peak marks, kept inside the range (the upper end wins when the ends are
  // crossed) except while loading.
  double CurrentMax() const { return currentMax_; }
  void SetCurrentMax(double value);
  double CurrentMin() const { return currentMin_; }
  void SetCurrentMin(double value);
  bool MinMaxFixed() const { return minMaxFixed_; }
  void SetMinMaxFixed(bool value) { SetPropertyField(value, minMaxFixed_, irkRepaint); }

  const TNotifyEvent& OnPositionChange() const { return onPositionChange_; }
  void SetOnPositionChange(TNotifyEvent handler) { onPositionChange_ = std::move(handler); }
  const TNotifyEvent& OnCurrentMaxChange() const { return onCurrentMaxChange_; }
  void SetOnCurrentMaxChange(TNotifyEvent handler) { onCurrentMaxChange_ = std::move(handler); }
  const TNotifyEvent& OnCurrentMinChange() const { return onCurrentMinChange_; }
  void SetOnCurrentMinChange(TNotifyEvent handler) { onCurrentMinChange_ = std::move(handler); }
  const TNotifyEvent& OnPositionOverMax() const { return onPositionOverMax_; }
  void SetOnPositionOverMax(TNotifyEvent handler) { onPositionOverMax_ = std::move(handler); }
  const TNotifyEvent& OnPositionUnderMin() const { return onPositionUnderMin_; }
  void SetOnPositionUnderMin(TNotifyEvent handler) { onPositionUnderMin_ = std::move(handler); }
  const TOnPositionLimit& OnPositionOverLimit() const { return onPositionOverLimit_; }
  void SetOnPositionOverLimit(TOnPositionLimit handler) { onPositionOverLimit_ = std::move(handler); }
  const TOnPositionLimit& OnPositionUnderLimit() const { return onPositionUnderLimit_; }
  void SetOnPositionUnderLimit(TOnPositionLimit handler) { onPositionUnderLimit_ = std::move(handler); }

  // ---- Declared here, published by the instruments that use them ---------
  const TNotifyEvent& OnPositionChangeFinished() const { return onPositionChangeFinished_; }
  void SetOnPositionChangeFinished(TNotifyEvent handler) { onPositionChangeFinished_ = std::move(handler); }
  const TNotifyEvent& OnPositionChangeUser() const { return onPositionChangeUser_; }
  void SetOnPositionChangeUser(TNotifyEvent handler) { onPositionChangeUser_ = std::move(handler); }

  // ---- State ----------------------------------------------------------------
  // Set by every accepted change of Position, cleared by DoPositionChangeFinished.
  bool ChangedSinceFinish() const { return changedSinceFinish_; }
  // An instrument clears it when a new user gesture begins.
  void ClearChangedSinceFinish() { changedSinceFinish_ = false; }
  // Set by an instrument around a change it makes on the user's behalf.
  bool UserChanging() const { return userChanging_; }
  void SetUserChanging(bool value) { userChanging_ = value; }
  // Limit bands, tested in list order on every accepted change.
  std::vector<std::unique_ptr<TiLimitObject>>& LimitList() { return limitList_; }
  const std::vector<std::unique_ptr<TiLimitObject>>& LimitList() const { return limitList_; }

  // Sets both ends (no check that min <= max; infinities and NaN are
  // refused, as by the setters of the ends), then pulls the peaks and the
  // position into the new range, with their events.
  void SetMinMax(double min, double max);
  // The end of a user gesture: when Position changed since the last one,
  // pushes it to the data link and fires OnPositionChangeFinished.
  void DoPositionChangeFinished();
  // 1 above PositionMax, the fraction of the range from PositionMin, 0 below
  // PositionMin or when the ends are equal.
  double PositionFraction(double value) const;

  // ---- Virtual operations, in declaration order ---------------------------
  virtual double FetchPosition() const { return position_; }
  // The setter of Position: clamps into the range (PositionMin wins when the
  // ends are crossed), asks the edit-permission hook, stores and notifies.
  // While loading it only stores. NaN is refused.
  virtual void AcceptPosition(double value);
  // Hands Position to the data link; nothing here.
  virtual void DataLinkPushPosition() {}
  virtual void SetPositionMin(double value);
  virtual void SetPositionMax(double value);
  // Moves Position into the range through AcceptPosition (not while loading).
  virtual void ClampPositionToLimits();

  // The change notifications of an accepted Position change (nothing while
  // loading).
  void DoPositionChange();

 private:
  void ClampCurrentToLimits();
  void TestLimitBands();
  void ReadPositionMax2(TReader& reader);
  void WritePositionMax2(TWriter& writer) const;

  std::vector<std::unique_ptr<TiLimitObject>> limitList_;
  double position_ = 0;
  double positionMax_ = 100;
  double positionMin_ = 0;
  double currentMin_ = 0;
  double currentMax_ = 0;
  TNotifyEvent onPositionChange_;
  TNotifyEvent onCurrentMaxChange_;
  TNotifyEvent onCurrentMinChange_;
  TNotifyEvent onPositionChangeFinished_;
  TNotifyEvent onPositionOverMax_;
  TNotifyEvent onPositionUnderMin_;
  bool changedSinceFinish_ = false;
  bool minMaxFixed_ = false;
  TOnPositionLimit onPositionOverLimit_;
  TOnPositionLimit onPositionUnderLimit_;
  bool userChanging_ = false;
  TNotifyEvent onPositionChangeUser_;
};

}  // namespace tintoral
