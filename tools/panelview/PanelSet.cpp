#include "tools/panelview/PanelSet.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "instruments/base/InstrumentComponent.h"
#include "instruments/opc/ErrorLog.h"
#include "instruments/opc/OPCLibrary.h"
#include "tools/panelview/PanelStatus.h"
#include "tools/panelview/TrendExport.h"

namespace tintoral {
namespace {

void MarkErrors(TComponent& component) {
  if (auto* instrument = dynamic_cast<TiComponent*>(&component)) instrument->SetErrorMarking(true);
  for (int i = 0; i < component.ComponentCount(); ++i) MarkErrors(*component.Components(i));
}

// Items with AutoError follow their link's activity even when the library
// sends nothing more (a server that stopped answering).
void UpdateItemErrors(TComponent& component) {
  if (auto* instrument = dynamic_cast<TiVCLComponent*>(&component)) {
    TiOPCItemManager& items = instrument->OPCItemManager();
    for (int i = 0; i < items.Count(); ++i)
      if (items.Items(i).AutoError()) items.Items(i).UpdateItemError();
  }
  for (int i = 0; i < component.ComponentCount(); ++i) UpdateItemErrors(*component.Components(i));
}

}  // namespace

TPanelKey PanelKeyOf(std::uint16_t key, TShiftState shift) {
  const bool ctrl = shift.Contains(ssCtrl) && !shift.Contains(ssAlt) && !shift.Contains(ssShift);
  const bool plain = !shift.Contains(ssCtrl) && !shift.Contains(ssAlt) && !shift.Contains(ssShift);
  if (ctrl && key == VK_NEXT) return TPanelKey::NextForm;
  if (ctrl && key == VK_PRIOR) return TPanelKey::PreviousForm;
  if (plain && key == VK_F11) return TPanelKey::ToggleFullScreen;
  if (plain && key == VK_ESCAPE) return TPanelKey::LeaveFullScreen;
  return TPanelKey::None;
}

TPanelSet::TPanelSet(const std::vector<std::string>& formPaths, TSettings settings)
    : settings_(settings), paths_(formPaths) {
  statuses_.resize(paths_.size());
  loadLines_.resize(paths_.size());
  for (std::size_t i = 0; i < paths_.size(); ++i) {
    const int index = static_cast<int>(i);
    panels_.push_back(std::make_unique<TLivePanel>(
        paths_[i], [this, index](TForm& window, const std::string& error, const std::vector<std::string>& warnings) {
          Prepare(index, window, error, warnings);
        }));
  }
  for (int i = 1; i < Count(); ++i) Panel(i).Window().Hide();
  if (settings_.fullScreen) Shown().Window().SetFullScreen(true);
  RefreshStatus();
}

void TPanelSet::Prepare(int index, TForm& window, const std::string& error, const std::vector<std::string>& warnings) {
  window.SetOnClose([](TObject*, TCloseAction&) { QCoreApplication::quit(); });
  window.SetKeyPreview(true);
  const TKeyEvent formKeyDown = window.OnKeyDown();
  window.SetOnKeyDown([this, formKeyDown](TObject* sender, std::uint16_t& key, TShiftState shift) {
    if (HandleKey(key, shift)) key = 0;
    else formKeyDown(sender, key, shift);
  });
  const std::size_t i = static_cast<std::size_t>(index);
  statuses_[i].reset();
  loadLines_[i].clear();
  if (!error.empty()) {
    std::fprintf(stderr, "panelview: %s\n", error.c_str());
    return;
  }
  if (settings_.markErrors) MarkErrors(window);
  AddTrendExport(window);
  loadLines_[i] = warnings;
  for (const std::string& report : UnlinkedItemReports(window, paths_[i])) loadLines_[i].push_back(report);
  for (const std::string& line : loadLines_[i]) std::fprintf(stderr, "panelview: %s\n", line.c_str());
  statuses_[i] = std::make_unique<TStatusArea>(window);
  if (i < panels_.size()) RefreshStatus(index);  // else once every form is read
}

void TPanelSet::Show(int index) {
  const int count = Count();
  const int next = ((index % count) + count) % count;
  if (next == current_) return;
  TForm& to = Panel(next).Window();
  to.DestroyHandle();  // shown once before: it takes the one window instead
  to.TakeWindowOf(Shown().Window());
  current_ = next;
}

bool TPanelSet::HandleKey(std::uint16_t key, TShiftState shift) {
  TForm& window = Shown().Window();
  switch (PanelKeyOf(key, shift)) {
    case TPanelKey::NextForm: Show(current_ + 1); return true;
    case TPanelKey::PreviousForm: Show(current_ - 1); return true;
    case TPanelKey::ToggleFullScreen: window.SetFullScreen(!window.FullScreen()); return true;
    case TPanelKey::LeaveFullScreen:
      if (!window.FullScreen()) return false;  // the form's own Escape
      window.SetFullScreen(false);
      return true;
    case TPanelKey::None: return false;
  }
  return false;
}

// With PANELVIEW_STATUS_TO_STDERR set, each new status text of the form
// shown is also written to stderr, for watching an unattended panel from
// outside.
void TPanelSet::RefreshStatus(int index) {
  TStatusArea* status = Status(index);
  TForm* form = Panel(index).Panel();
  if (!status || !form) return;
  UpdateItemErrors(*form);
  std::vector<std::string> lines = linkProblems_;
  for (const std::string& line : loadLines_[static_cast<std::size_t>(index)]) lines.push_back(line);
  for (std::string& line : PanelStatusLines(*form, LinkLibrariesInUse())) lines.push_back(std::move(line));
  const std::string before = status->Text();
  status->SetLines(lines);
  if (index == current_ && status->Text() != before && std::getenv("PANELVIEW_STATUS_TO_STDERR"))
    std::fprintf(stderr, "panelview status: %s\n", PanelStatusText(*form, LinkLibrariesInUse()).c_str());
}

// The link library's own problems (a simulation file's mistakes, its lines
// that match no item) go to standard error once each.
void TPanelSet::RefreshStatus() {
  linkProblems_.clear();
  for (const TiOPCLibrary* library : LinkLibrariesInUse())
    for (std::string& problem : LinkSetupProblems(*library)) linkProblems_.push_back(std::move(problem));
  for (const std::string& problem : linkProblems_)
    if (reportedLinkProblems_.insert(problem).second) std::fprintf(stderr, "panelview: %s\n", problem.c_str());
  for (int i = 0; i < Count(); ++i) RefreshStatus(i);
  OPCErrorLog().Flush();
}

bool TPanelSet::AnyError() const {
  for (const auto& panel : panels_)
    if (!panel->Error().empty()) return true;
  return std::any_of(linkProblems_.begin(), linkProblems_.end(), [](const std::string& p) { return !IsWarning(p); });
}

}  // namespace tintoral
