#pragma once
// TPageControl: a stack of pages (TTabSheet) with a strip of tabs on top;
// the active page fills the display area inside the raised page border and
// the others are hidden. Clicking a tab, the left and right arrows while the
// control has the focus, and Ctrl+Tab (Ctrl+Shift+Tab backwards) anywhere in
// it change the page: OnChanging may refuse, OnChange follows.
//
// TTabSheet: one page. Its parent is its page control (a form stream nests
// it there); the page control sets its bounds, so they are not stored.
#include <vector>

#include "platform/window/CustomControl.h"
#include "runtime/Event.h"

namespace tintoral {

class TTabSheet;
struct TabGeometry;
struct TabStripLook;

using TTabChangingEvent = TEvent<bool&>;  // AllowChange

class TPageControl : public TCustomControl {
  TINTORAL_CLASS(TPageControl, TCustomControl)

 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  // Raises ListIndexError outside 0 .. PageCount() - 1.
  TTabSheet* Pages(int index) const;
  // The page shown; nullptr or one of this control's pages (others are ignored).
  TTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* page);
  // The active page's position among the visible tabs, -1 when none.
  int TabIndex() const;
  void SetTabIndex(int value);
  // Fixed tab sizes; 0 sizes tabs from the font and captions.
  int TabHeight() const { return tabHeight_; }
  void SetTabHeight(int value);
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int value);

  // Shows the next (or previous) page with a visible tab, wrapping around,
  // as a user's change (OnChanging, OnChange).
  void SelectNextPage(bool forward);
  // The area the pages fill.
  TRect DisplayRect() const;
  // The page whose tab lies under the client point, nullptr when none.
  TTabSheet* PageAtPoint(int x, int y) const;

  const TTabChangingEvent& OnChanging() const { return onChanging_; }
  void SetOnChanging(TTabChangingEvent handler) { onChanging_ = std::move(handler); }
  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

  void Loaded() override;
  bool DialogKey(std::uint16_t key, TShiftState shift) override;

 protected:
  void Paint() override;
  void AdjustClientRect(TRect& rect) const override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  int DialogCode() override;
  void FocusGained(TWinControl* previous) override;
  void FocusLost(TWinControl* next) override;
  void BoundsChanged(bool sizeChanged) override;
  void FontChanged() override;

 private:
  friend class TTabSheet;

  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void TabChanged() { Invalidate(); }
  std::vector<TTabSheet*> VisibleTabs() const;
  TabStripLook Look() const;
  TabGeometry Geometry() const;
  void PlacePages();
  // A change of page on the user's behalf.
  void ChangeActivePage(TTabSheet* page);

  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
  int tabHeight_ = 0;
  int tabWidth_ = 0;
  TTabChangingEvent onChanging_;
  TNotifyEvent onChange_;
};

class TTabSheet : public TWinControl {
  TINTORAL_CLASS(TTabSheet, TWinControl)

 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl* value) { SetParent(value); }
  // Position among the page control's pages, -1 without one.
  int PageIndex() const;
  void SetPageIndex(int value);
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool value);
  // Position among the visible tabs, -1 when the tab is hidden.
  int TabIndex() const;

  const TNotifyEvent& OnShow() const { return onShow_; }
  void SetOnShow(TNotifyEvent handler) { onShow_ = std::move(handler); }
  const TNotifyEvent& OnHide() const { return onHide_; }
  void SetOnHide(TNotifyEvent handler) { onHide_ = std::move(handler); }

  void SetParent(TWinControl* parent) override;
  bool IsSizeStored() const override { return false; }

 protected:
  void TextChanged() override;
  void VisibleChanged() override;

 private:
  friend class TPageControl;

  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
  TNotifyEvent onShow_;
  TNotifyEvent onHide_;
};

}  // namespace tintoral
