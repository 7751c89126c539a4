#pragma once
// The designer's window: the palette of every visual class the registry
// knows, the form (DesignCanvas), the property inspector, and the menus
// with a key for every action. A form that does not read shows its error
// with the file and the line and a button to read it again; a file changed
// on disk by another program is offered for reading again; closing with
// unsaved changes asks first. F9 opens the saved state of the form in
// panelview (with the designer's --sim file, if any) and the designer stays
// as it is.
#include <QFileSystemWatcher>
#include <QMainWindow>
#include <memory>
#include <string>

class QLabel;
class QListWidget;
class QStackedWidget;
class QTemporaryDir;

namespace tintoral {

class DesignCanvas;
class PropertyInspector;
class TDesignDocument;

class DesignerWindow : public QMainWindow {
 public:
  explicit DesignerWindow(std::string simPath);
  ~DesignerWindow() override;

  // Opens a form file; a form that does not read shows the error view.
  void OpenFile(const std::string& path);
  void NewForm();
  TDesignDocument* Document() const { return document_.get(); }
  DesignCanvas& Canvas() const { return *canvas_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void BuildPalette();
  void Adopt(std::unique_ptr<TDesignDocument> document);
  void ShowError(const std::string& message);
  void Changed();
  void Status(const std::string& message);
  bool Save();
  bool SaveAs();
  bool MaySetAside();  // asks about unsaved changes; false to stay
  void OpenDialog();
  void Reload();
  void FileChangedOnDisk();
  void Watch();
  void Preview();
  void Paste();
  void PlaceFromPalette();
  void ChooseGrid();
  void EditItems();

  const std::string simPath_;
  std::unique_ptr<TDesignDocument> document_;
  std::string path_;  // also of a form that did not read
  QStackedWidget* pages_;
  DesignCanvas* canvas_;
  QLabel* errorText_;
  PropertyInspector* inspector_;
  QListWidget* palette_;
  QFileSystemWatcher watcher_;
  bool asking_ = false;
  std::unique_ptr<QTemporaryDir> previewFolder_;
};

}  // namespace tintoral
