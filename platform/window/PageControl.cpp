#include "platform/window/PageControl.h"

#include <algorithm>
#include <string>

#include "platform/window/ControlProperties.h"
#include "platform/window/TabPainting.h"

namespace tintoral {

const TClassInfo& TPageControl::StaticClass() {
  static const TClassInfo info = DescribeClass<
      TPageControl>("TPageControl", TCustomControl::StaticClass(), [](auto& b) {
    const TControlDefaults defaults{.tabStop = true};
    b.Object("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
    PublishControlProperties(b, {"Align", "Enabled", "Font", "ParentFont", "ParentShowHint", "ShowHint"}, defaults);
    b.Property("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight).Default(0);
    b.Property("TabIndex", &TPageControl::TabIndex, &TPageControl::SetTabIndex).Stored(false);
    PublishControlProperties(b, {"TabOrder", "TabStop"}, defaults);
    b.Property("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth).Default(0);
    PublishControlProperties(b, {"Visible"}, defaults);
    b.Event("OnChange", &TPageControl::OnChange, &TPageControl::SetOnChange);
    b.Event("OnChanging", &TPageControl::OnChanging, &TPageControl::SetOnChanging);
    PublishControlProperties(b, {"OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"}, defaults);
  });
  return info;
}

TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
  SetColor(clBtnFace);
}

TPageControl::~TPageControl() {
  for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount())
    throw ListIndexError("List index out of bounds (" + std::to_string(index) + ")");
  return pages_[static_cast<std::size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
  pages_.push_back(page);
  page->SetBoundsRect(DisplayRect());
  page->SetVisible(false);
  if (!activePage_ && !IsLoading()) SetActivePage(page);
  Invalidate();
}

void TPageControl::RemovePage(TTabSheet* page) {
  const auto at = std::find(pages_.begin(), pages_.end(), page);
  if (at == pages_.end()) return;
  const std::size_t index = static_cast<std::size_t>(at - pages_.begin());
  pages_.erase(at);
  if (page == activePage_) {
    activePage_ = nullptr;
    if (!IsDestroying() && !pages_.empty()) SetActivePage(pages_[std::min(index, pages_.size() - 1)]);
  }
  Invalidate();
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->pageControl_ != this) return;
  if (page == activePage_) return;
  TTabSheet* previous = activePage_;
  activePage_ = page;
  if (page) {
    page->SetBoundsRect(DisplayRect());
    page->SetVisible(true);
  }
  if (previous) previous->SetVisible(false);
  Invalidate();
}

void TPageControl::ChangeActivePage(TTabSheet* page) {
  if (!page || page == activePage_) return;
  bool allow = true;
  onChanging_(this, allow);
  if (!allow) return;
  SetActivePage(page);
  onChange_(this);
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
  std::vector<TTabSheet*> tabs;
  for (TTabSheet* page : pages_)
    if (page->tabVisible_) tabs.push_back(page);
  return tabs;
}

int TPageControl::TabIndex() const { return activePage_ ? activePage_->TabIndex() : -1; }

void TPageControl::SetTabIndex(int value) {
  const std::vector<TTabSheet*> tabs = VisibleTabs();
  if (value >= 0 && value < static_cast<int>(tabs.size())) SetActivePage(tabs[static_cast<std::size_t>(value)]);
}

void TPageControl::SetTabHeight(int value) {
  value = std::max(value, 0);
  if (value == tabHeight_) return;
  tabHeight_ = value;
  PlacePages();
  Invalidate();
}

void TPageControl::SetTabWidth(int value) {
  value = std::max(value, 0);
  if (value == tabWidth_) return;
  tabWidth_ = value;
  Invalidate();
}

void TPageControl::SelectNextPage(bool forward) {
  const std::vector<TTabSheet*> tabs = VisibleTabs();
  if (tabs.empty()) return;
  const int count = static_cast<int>(tabs.size());
  const int current = TabIndex();
  int next = 0;
  if (current >= 0) next = (current + (forward ? 1 : count - 1)) % count;
  else if (!forward) next = count - 1;
  ChangeActivePage(tabs[static_cast<std::size_t>(next)]);
}

TabStripLook TPageControl::Look() const {
  TabStripLook look;
  const std::vector<TTabSheet*> tabs = VisibleTabs();
  for (TTabSheet* page : tabs) look.captions.push_back(page->Caption());
  const auto active = std::find(tabs.begin(), tabs.end(), activePage_);
  look.activeIndex = active == tabs.end() ? -1 : static_cast<int>(active - tabs.begin());
  look.font = &Font();
  look.focused = Focused();
  look.tabHeight = tabHeight_;
  look.tabWidth = tabWidth_;
  return look;
}

TabGeometry TPageControl::Geometry() const { return LayoutTabStrip(Look(), ClientRect()); }

TRect TPageControl::DisplayRect() const { return Geometry().display; }

TTabSheet* TPageControl::PageAtPoint(int x, int y) const {
  const int index = TabAtPoint(Geometry(), x, y);
  return index < 0 ? nullptr : VisibleTabs()[static_cast<std::size_t>(index)];
}

void TPageControl::PlacePages() {
  const TRect display = DisplayRect();
  for (TTabSheet* page : pages_) page->SetBoundsRect(display);
}

void TPageControl::Loaded() {
  TCustomControl::Loaded();
  PlacePages();
  if (!activePage_ && !pages_.empty()) SetActivePage(pages_.front());
}

void TPageControl::Paint() { PaintTabStrip(Canvas(), ClientRect(), Look()); }

void TPageControl::AdjustClientRect(TRect& rect) const { rect = DisplayRect(); }

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    if (TTabSheet* page = PageAtPoint(x, y)) {
      if (CanFocus() && !Focused()) SetFocus();
      ChangeActivePage(page);
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TPageControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == VK_LEFT || key == VK_RIGHT) SelectNextPage(key == VK_RIGHT);
}

int TPageControl::DialogCode() { return DLGC_WANTARROWS; }

bool TPageControl::DialogKey(std::uint16_t key, TShiftState shift) {
  const TWinControl* focused = TopLevel()->FocusedControl();
  if (key == VK_TAB && shift.Contains(ssCtrl) && focused && ContainsControl(focused)) {
    SelectNextPage(!shift.Contains(ssShift));
    return true;
  }
  return TCustomControl::DialogKey(key, shift);
}

void TPageControl::FocusGained(TWinControl* previous) {
  TCustomControl::FocusGained(previous);
  Invalidate();
}

void TPageControl::FocusLost(TWinControl* next) {
  TCustomControl::FocusLost(next);
  Invalidate();
}

void TPageControl::BoundsChanged(bool sizeChanged) {
  TCustomControl::BoundsChanged(sizeChanged);
  if (sizeChanged) PlacePages();
}

void TPageControl::FontChanged() {
  TCustomControl::FontChanged();
  PlacePages();
}

// TTabSheet

const TClassInfo& TTabSheet::StaticClass() {
  static const TClassInfo info = DescribeClass<TTabSheet>("TTabSheet", TWinControl::StaticClass(), [](auto& b) {
    PublishControlProperties(b, {"Caption", "Enabled", "Font"});
    b.Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).Stored(false);
    PublishControlProperties(b, {"ParentFont", "ParentShowHint", "ShowHint"});
    b.Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(true);
    b.Property("Visible", &TTabSheet::Visible, &TTabSheet::SetVisible).Stored(false);
    PublishControlProperties(b, {"OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"});
    b.Event("OnHide", &TTabSheet::OnHide, &TTabSheet::SetOnHide);
    b.Event("OnShow", &TTabSheet::OnShow, &TTabSheet::SetOnShow);
  });
  return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { SetVisible(false); }

TTabSheet::~TTabSheet() {
  if (pageControl_) pageControl_->RemovePage(this);
  pageControl_ = nullptr;
}

void TTabSheet::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  if (pageControl_) {
    TPageControl* previous = pageControl_;
    pageControl_ = nullptr;
    previous->RemovePage(this);
  }
  TWinControl::SetParent(parent);
  if (auto* pageControl = dynamic_cast<TPageControl*>(parent)) {
    pageControl_ = pageControl;
    pageControl->InsertPage(this);
  }
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  const auto& pages = pageControl_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value) {
  if (!pageControl_) return;
  auto& pages = pageControl_->pages_;
  value = std::clamp(value, 0, static_cast<int>(pages.size()) - 1);
  const int current = PageIndex();
  if (value == current) return;
  pages.erase(pages.begin() + current);
  pages.insert(pages.begin() + value, this);
  pageControl_->TabChanged();
}

void TTabSheet::SetTabVisible(bool value) {
  if (value == tabVisible_) return;
  tabVisible_ = value;
  if (pageControl_) pageControl_->TabChanged();
}

int TTabSheet::TabIndex() const {
  if (!pageControl_ || !tabVisible_) return -1;
  int index = 0;
  for (const TTabSheet* page : pageControl_->pages_) {
    if (page == this) return index;
    if (page->tabVisible_) ++index;
  }
  return -1;
}

void TTabSheet::TextChanged() {
  TWinControl::TextChanged();
  if (pageControl_) pageControl_->TabChanged();
}

void TTabSheet::VisibleChanged() {
  TWinControl::VisibleChanged();
  if (IsLoading()) return;
  if (Visible()) onShow_(this);
  else onHide_(this);
}

}  // namespace tintoral
