#pragma once
// The forms of one panelview, each a live panel (LivePanel.h) with its own
// items connected all along, one shown at a time in the same window, which
// passes from form to form (TForm::TakeWindowOf). Under each form a status area (StatusArea.h) shows the link
// library's set-up problems (a simulation file's mistakes), what its file
// warns about, the items the link library took no link for, the server
// connections and the items that are not well; the warnings and the items
// without a link also go to standard error when the form is read. Keys:
// Ctrl+Page Down and Ctrl+Page Up move between the forms, F11 turns full
// screen on and off and Escape leaves it.
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/window/KeyCodes.h"
#include "runtime/Event.h"
#include "tools/panelview/LivePanel.h"
#include "tools/panelview/StatusArea.h"

namespace tintoral {

enum class TPanelKey { None, NextForm, PreviousForm, ToggleFullScreen, LeaveFullScreen };
TPanelKey PanelKeyOf(std::uint16_t key, TShiftState shift);

class TPanelSet {
 public:
  struct TSettings {
    bool markErrors = false;  // ErrorMarking on for every instrument
    bool fullScreen = false;  // the first form shows full screen
  };

  TPanelSet(const std::vector<std::string>& formPaths, TSettings settings);
  TPanelSet(const TPanelSet&) = delete;
  TPanelSet& operator=(const TPanelSet&) = delete;

  int Count() const { return static_cast<int>(panels_.size()); }
  int Current() const { return current_; }
  TLivePanel& Panel(int index) const { return *panels_[static_cast<std::size_t>(index)]; }
  TLivePanel& Shown() const { return Panel(current_); }
  // The status area of a form that reads, nullptr while its error shows.
  TStatusArea* Status(int index) const { return statuses_[static_cast<std::size_t>(index)].get(); }
  // Shows that form in the place of the one shown (wrapping around).
  void Show(int index);
  // Every form's status, from the items and the link library as they are.
  void RefreshStatus();
  // Whether any form could not be read, or the link library has a set-up
  // error (a simulation file's mistake).
  bool AnyError() const;
  // What a key does; true when it was one of the keys above.
  bool HandleKey(std::uint16_t key, TShiftState shift);

 private:
  void Prepare(int index, TForm& window, const std::string& error, const std::vector<std::string>& warnings);
  void RefreshStatus(int index);

  const TSettings settings_;
  std::vector<std::string> paths_;
  std::vector<std::unique_ptr<TLivePanel>> panels_;
  std::vector<std::unique_ptr<TStatusArea>> statuses_;
  std::vector<std::vector<std::string>> loadLines_;  // warnings and items without a link, per form
  std::vector<std::string> linkProblems_;            // of the link library's set-up, as last asked
  std::set<std::string> reportedLinkProblems_;
  int current_ = 0;
};

}  // namespace tintoral
