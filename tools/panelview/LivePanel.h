#pragma once
// The window of a live panel: the form read from a form file, read again
// whenever the file changes, for a panel developer who edits the file while
// the panel runs. Editors that save by writing a new file and renaming it
// over the old one are followed too: the file's folder is watched as well.
//
// A file that cannot be read (a missing file, a syntax error, an unknown
// class or property) does not end the program: the window then shows the
// error, with the file and the line, until the file reads again. The data
// link stays loaded all along; the items of a replaced form are removed
// with it, and those of the new form are added as it is read. The form read
// again (or the error) shows in the same native window as the one before
// (TForm::TakeWindowOf), so its position, size and full-screen state stay.
#include <QFileSystemWatcher>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/Form.h"
#include "tools/formshot/FormLoading.h"

namespace tintoral {

class TLivePanel {
 public:
  // Called for every window before it shows: the form read (with error ""
  // and the form's warnings, "FILE:LINE: warning: ..."), or the window
  // showing `error`.
  using TPrepare =
      std::function<void(TForm& window, const std::string& error, const std::vector<std::string>& warnings)>;
  // How long the file must stay unchanged before it is read again: an editor
  // may write a file in several steps.
  static constexpr int kSettleMs = 150;

  // Reads the file at once, and again after every change.
  TLivePanel(std::string formPath, TPrepare prepare);
  ~TLivePanel();
  TLivePanel(const TLivePanel&) = delete;
  TLivePanel& operator=(const TLivePanel&) = delete;

  // The window shown: the form, or the error window.
  TForm& Window() const;
  // The form read, nullptr while the error window shows.
  TForm* Panel() const;
  // Why the file could not be used ("FILE:LINE: what", "" when it could).
  const std::string& Error() const { return error_; }
  // How many times the file has been read.
  int Reads() const { return reads_; }

  // Reads the file and replaces the window.
  void Reload();

 private:
  // What tells one version of the file from another: its identity (a file
  // saved by renaming is a new one), size and time of change.
  struct TFileStamp {
    bool exists = false;
    unsigned long device = 0, inode = 0;
    long size = 0, seconds = 0, nanoseconds = 0;
    bool operator==(const TFileStamp&) const = default;
  };
  static TFileStamp StampOf(const std::string& path);
  void ReloadIfChanged();
  void Watch();
  std::unique_ptr<TForm> ErrorWindow() const;
  void Replace(std::optional<TLoadedForm> loaded, std::unique_ptr<TForm> errorWindow);

  const std::string formPath_;
  const TPrepare prepare_;
  std::optional<TLoadedForm> loaded_;
  std::unique_ptr<TForm> errorWindow_;
  std::string error_;
  TFileStamp readStamp_;
  int reads_ = 0;
  QFileSystemWatcher watcher_;
  QTimer settle_;
};

}  // namespace tintoral
