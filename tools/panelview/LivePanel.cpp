#include "tools/panelview/LivePanel.h"

#include <sys/stat.h>

#include <QFileInfo>
#include <exception>

#include "platform/window/Label.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

constexpr int kErrorWidth = 560;
constexpr int kErrorHeight = 120;

}  // namespace

TLivePanel::TLivePanel(std::string formPath, TPrepare prepare)
    : formPath_(std::move(formPath)), prepare_(std::move(prepare)) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  QObject::connect(&settle_, &QTimer::timeout, [this] { ReloadIfChanged(); });
  const auto changed = [this] {
    Watch();
    settle_.start();
  };
  QObject::connect(&watcher_, &QFileSystemWatcher::fileChanged, changed);
  QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged, changed);
  Reload();
}

TLivePanel::~TLivePanel() = default;

TForm& TLivePanel::Window() const { return errorWindow_ ? *errorWindow_ : *Panel(); }

TForm* TLivePanel::Panel() const { return loaded_ ? dynamic_cast<TForm*>(&loaded_->Root()) : nullptr; }

// The file while it exists, and its folder, where a file saved by renaming
// appears anew.
void TLivePanel::Watch() {
  const QString file = QString::fromStdString(formPath_);
  const QString folder = QFileInfo(file).absolutePath();
  if (!watcher_.directories().contains(folder)) watcher_.addPath(folder);
  if (!watcher_.files().contains(file) && QFileInfo::exists(file)) watcher_.addPath(file);
}

TLivePanel::TFileStamp TLivePanel::StampOf(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return {};
  return {true, status.st_dev, status.st_ino, status.st_size, status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
}

// Other files of the folder change too (an editor's backup, say): the form
// is read again only when its own file changed.
void TLivePanel::ReloadIfChanged() {
  if (StampOf(formPath_) != readStamp_) Reload();
}

void TLivePanel::Reload() {
  ++reads_;
  Watch();
  readStamp_ = StampOf(formPath_);
  try {
    TLoadedForm loaded = LoadFormFile(formPath_);
    if (!dynamic_cast<TForm*>(&loaded.Root()))
      throw InvalidOperation(formPath_ + ": the root '" + loaded.Root().Name() + "' is not a form");
    error_.clear();
    Replace(std::move(loaded), nullptr);
  } catch (const std::exception& problem) {
    error_ = problem.what();
    Replace(std::nullopt, ErrorWindow());
  }
}

std::unique_ptr<TForm> TLivePanel::ErrorWindow() const {
  auto window = std::make_unique<TForm>(nullptr);
  window->SetName("PanelViewError");
  window->SetCaption("panelview: " + QFileInfo(QString::fromStdString(formPath_)).fileName().toStdString());
  window->SetClientSize(kErrorWidth, kErrorHeight);
  auto* text = new TLabel(window.get());
  text->SetName("ErrorText");
  text->SetAutoSize(false);
  text->SetWordWrap(true);
  text->SetParent(window.get());
  text->SetBounds(8, 8, kErrorWidth - 16, kErrorHeight - 16);
  TForm* shown = window.get();
  window->SetOnResize(
      [shown, text](TObject*) { text->SetBounds(8, 8, shown->ClientWidth() - 16, shown->ClientHeight() - 16); });
  text->SetCaption(error_);
  return window;
}

// The form read again, or the error window, takes the native window of the
// one it replaces: the same window on the screen, in the same place and size
// and full-screen state (a wall screen must not jump). A panel not shown
// (another panel of the same panelview shows) is replaced unseen.
void TLivePanel::Replace(std::optional<TLoadedForm> loaded, std::unique_ptr<TForm> errorWindow) {
  std::optional<TLoadedForm> oldLoaded = std::move(loaded_);
  std::unique_ptr<TForm> oldErrorWindow = std::move(errorWindow_);
  loaded_ = std::move(loaded);
  errorWindow_ = std::move(errorWindow);
  prepare_(Window(), error_, loaded_ ? loaded_->Warnings() : std::vector<std::string>());
  TForm* old = oldErrorWindow ? oldErrorWindow.get() : oldLoaded ? &dynamic_cast<TForm&>(oldLoaded->Root()) : nullptr;
  if (!old) {
    Window().Show();
    return;
  }
  Window().DestroyHandle();  // one a program form made itself as it was built
  Window().TakeWindowOf(*old);
}

}  // namespace tintoral
