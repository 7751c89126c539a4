#include "tools/paneldesigner/DesignerWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <fstream>
#include <iterator>

#include "platform/window/Control.h"
#include "platform/window/Form.h"
#include "platform/window/WinControl.h"
#include "runtime/ClassRegistry.h"
#include "runtime/Exception.h"
#include "system/AtomicFile.h"
#include "tools/paneldesigner/DesignCanvas.h"
#include "tools/paneldesigner/DesignContainers.h"
#include "tools/paneldesigner/DesignDocument.h"
#include "tools/paneldesigner/ItemBindingsDialog.h"
#include "tools/paneldesigner/PropertyPanel.h"
#include "tools/paneldesigner/QtText.h"

namespace tintoral {
namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// panelview beside the designer (as installed), or in its own folder of the
// build tree.
QString PanelViewProgram() {
  const QString folder = QCoreApplication::applicationDirPath();
  for (const QString& candidate : {folder + "/panelview", folder + "/../panelview/panelview"})
    if (QFileInfo(candidate).isExecutable()) return candidate;
  return "panelview";
}

}  // namespace

DesignerWindow::DesignerWindow(std::string simPath) : simPath_(std::move(simPath)) {
  pages_ = new QStackedWidget(this);
  auto* scroll = new QScrollArea;
  canvas_ = new DesignCanvas;
  scroll->setWidget(canvas_);
  scroll->setAccessibleName("Form area");
  pages_->addWidget(scroll);

  auto* errorPage = new QWidget;
  auto* errorLayout = new QVBoxLayout(errorPage);
  errorText_ = new QLabel;
  errorText_->setWordWrap(true);
  errorText_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  errorText_->setAccessibleName("Form error");
  auto* reload = new QPushButton("&Reload the file");
  reload->setAccessibleName("Reload the file");
  QObject::connect(reload, &QPushButton::clicked, this, [this] { Reload(); });
  errorLayout->addWidget(errorText_);
  errorLayout->addWidget(reload);
  errorLayout->addStretch();
  pages_->addWidget(errorPage);
  setCentralWidget(pages_);

  inspector_ = new PropertyInspector;
  auto* inspectorDock = new QDockWidget("Properties", this);
  inspectorDock->setObjectName("properties");
  inspectorDock->setWidget(inspector_);
  addDockWidget(Qt::RightDockWidgetArea, inspectorDock);

  BuildPalette();
  BuildMenus();
  canvas_->onChanged = [this] { Changed(); };
  canvas_->onError = [this](const std::string& message) { Status(message); };
  canvas_->onPlaced = [this] { palette_->clearSelection(); };
  inspector_->onChanged = [this] {
    canvas_->Refresh();
    Changed();
  };
  QObject::connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { FileChangedOnDisk(); });
  QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { FileChangedOnDisk(); });
  resize(1100, 760);
}

DesignerWindow::~DesignerWindow() {
  canvas_->SetDocument(nullptr);
  inspector_->SetDocument(nullptr);
}

void DesignerWindow::BuildPalette() {
  palette_ = new QListWidget;
  palette_->setAccessibleName("Palette");
  palette_->setAccessibleDescription(
      "Classes to place: Enter places one in the selected container, "
      "a click arms placing with the mouse");
  for (const TClassInfo* info : RegisteredComponentClasses())
    if (info->InheritsFrom(TControl::StaticClass()) && !info->InheritsFrom(TForm::StaticClass()))
      palette_->addItem(Q(info->Name()));
  QObject::connect(palette_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    canvas_->SetPlacing(S(item->text()));
    Status("Click or drag on the form to place a " + S(item->text()));
  });
  QObject::connect(palette_, &QListWidget::itemActivated, this, [this] { PlaceFromPalette(); });
  auto* dock = new QDockWidget("Palette", this);
  dock->setObjectName("palette");
  dock->setWidget(palette_);
  addDockWidget(Qt::LeftDockWidgetArea, dock);
}

void DesignerWindow::PlaceFromPalette() {
  if (!document_ || !palette_->currentItem()) return;
  canvas_->PlaceAtKeyboard(S(palette_->currentItem()->text()));
  canvas_->setFocus();
}

void DesignerWindow::BuildMenus() {
  const auto add = [this](QMenu* menu, const QString& text, const QKeySequence& key, auto action) {
    QAction* a = menu->addAction(text);
    if (!key.isEmpty()) a->setShortcut(key);
    QObject::connect(a, &QAction::triggered, this, action);
    return a;
  };
  // Runs a command on the document when one is open, then shows its effect.
  const auto command = [this](auto f) {
    return [this, f] {
      if (!document_) return;
      try {
        f(*document_);
      } catch (const Exception& error) {
        Status(error.Message());
      }
      canvas_->Refresh();
      Changed();
    };
  };
  QMenu* file = menuBar()->addMenu("&File");
  add(file, "&New", QKeySequence::New, [this] {
    if (MaySetAside()) NewForm();
  });
  add(file, "&Open…", QKeySequence::Open, [this] { OpenDialog(); });
  add(file, "&Reload from disk", QKeySequence(Qt::CTRL | Qt::Key_R), [this] { Reload(); });
  add(file, "&Save", QKeySequence::Save, [this] { Save(); });
  add(file, "Save &as…", QKeySequence::SaveAs, [this] { SaveAs(); });
  file->addSeparator();
  add(file, "&Preview in panelview", QKeySequence(Qt::Key_F9), [this] { Preview(); });
  file->addSeparator();
  add(file, "&Quit", QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });

  QMenu* edit = menuBar()->addMenu("&Edit");
  add(edit, "&Undo", QKeySequence::Undo, command([](TDesignDocument& d) { d.Undo(); }));
  add(edit, "&Redo", QKeySequence::Redo, command([](TDesignDocument& d) { d.Redo(); }));
  edit->addSeparator();
  add(edit, "Cu&t", QKeySequence::Cut, command([](TDesignDocument& d) {
        QApplication::clipboard()->setText(Q(d.CopySelection()));
        d.CutSelection();
      }));
  add(edit, "&Copy", QKeySequence::Copy,
      command([](TDesignDocument& d) { QApplication::clipboard()->setText(Q(d.CopySelection())); }));
  add(edit, "&Paste", QKeySequence::Paste, [this] { Paste(); });
  add(edit, "&Delete", QKeySequence::Delete, command([](TDesignDocument& d) { d.DeleteSelection(); }));
  add(edit, "Select &all", QKeySequence::SelectAll, command([](TDesignDocument& d) {
        std::vector<std::string> names;
        for (int i = 0; i < d.Root().ComponentCount(); ++i) names.push_back(d.Root().Components(i)->Name());
        d.Select(names);
      }));
  edit->addSeparator();
  add(edit, "Data-link &items…", QKeySequence(Qt::CTRL | Qt::Key_D), [this] { EditItems(); });
  edit->addSeparator();
  add(edit, "Place from the pa&lette", QKeySequence(Qt::CTRL | Qt::Key_L), [this] { palette_->setFocus(); });
  add(edit, "Go to the pr&operties", QKeySequence(Qt::Key_F4), [this] { inspector_->setFocus(); });
  add(edit, "Go to the &form", QKeySequence(Qt::Key_F6), [this] { canvas_->setFocus(); });

  QMenu* arrange = menuBar()->addMenu("&Arrange");
  add(arrange, "Align &lefts", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Left),
      command([](TDesignDocument& d) { d.AlignSelection(TAlignEdge::Lefts); }));
  add(arrange, "Align &rights", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Right),
      command([](TDesignDocument& d) { d.AlignSelection(TAlignEdge::Rights); }));
  add(arrange, "Align &tops", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Up),
      command([](TDesignDocument& d) { d.AlignSelection(TAlignEdge::Tops); }));
  add(arrange, "Align &bottoms", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Down),
      command([](TDesignDocument& d) { d.AlignSelection(TAlignEdge::Bottoms); }));
  add(arrange, "Align &horizontal centres", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_H),
      command([](TDesignDocument& d) { d.AlignSelection(TAlignEdge::HorizontalCentres); }));
  add(arrange, "Align &vertical centres", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_V),
      command([](TDesignDocument& d) { d.AlignSelection(TAlignEdge::VerticalCentres); }));
  arrange->addSeparator();
  add(arrange, "Same &width", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_W),
      command([](TDesignDocument& d) { d.MakeSameSize(TSameSize::Width); }));
  add(arrange, "Same hei&ght", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_G),
      command([](TDesignDocument& d) { d.MakeSameSize(TSameSize::Height); }));
  add(arrange, "Same &size", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_S),
      command([](TDesignDocument& d) { d.MakeSameSize(TSameSize::Both); }));
  add(arrange, "Size to &content", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_C),
      command([](TDesignDocument& d) { d.SizeSelectionToContent(); }));
  arrange->addSeparator();
  add(arrange, "Bring to &front", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F),
      command([](TDesignDocument& d) { d.BringSelectionToFront(); }));
  add(arrange, "Send to bac&k", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K),
      command([](TDesignDocument& d) { d.SendSelectionToBack(); }));
  add(arrange, "Move &into the container…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I), [this] {
    if (!document_) return;
    QStringList names;
    names << Q(document_->Root().Name());
    for (int i = 0; i < document_->Root().ComponentCount(); ++i)
      if (auto* c = dynamic_cast<TWinControl*>(document_->Root().Components(i)); c && IsContainer(*c))
        names << Q(c->Name());
    bool ok = false;
    const QString name = QInputDialog::getItem(this, "Move into", "Container:", names, 0, false, &ok);
    if (!ok) return;
    auto* target = dynamic_cast<TWinControl*>(document_->FindControl(S(name)));
    if (!target) return;
    try {
      document_->MoveSelectionInto(*target);
    } catch (const Exception& error) {
      Status(error.Message());
    }
    canvas_->Refresh();
    Changed();
  });
  arrange->addSeparator();
  QAction* snap = arrange->addAction("S&nap to the grid");
  snap->setCheckable(true);
  snap->setChecked(true);
  QObject::connect(snap, &QAction::toggled, this, [this](bool on) { canvas_->SetSnap(on); });
  add(arrange, "Grid si&ze…", QKeySequence(), [this] { ChooseGrid(); });
}

void DesignerWindow::ChooseGrid() {
  bool ok = false;
  const int size = QInputDialog::getInt(this, "Grid", "Grid size in pixels:", canvas_->Grid(), 1, 100, 1, &ok);
  if (ok) canvas_->SetGrid(size);
}

void DesignerWindow::Adopt(std::unique_ptr<TDesignDocument> document) {
  canvas_->SetDocument(nullptr);
  inspector_->SetDocument(nullptr);
  document_ = std::move(document);
  document_->SetOnReread([this] { inspector_->Refresh(); });
  canvas_->SetDocument(document_.get());
  inspector_->SetDocument(document_.get());
  pages_->setCurrentIndex(0);
  canvas_->setFocus();
  Watch();
  Changed();
}

void DesignerWindow::ShowError(const std::string& message) {
  canvas_->SetDocument(nullptr);
  inspector_->SetDocument(nullptr);
  document_.reset();
  errorText_->setText(Q(message + "\n\nFix the file in a text editor, then reload it (Ctrl+R)."));
  pages_->setCurrentIndex(1);
  Watch();
  setWindowTitle(Q(QFileInfo(Q(path_)).fileName().toStdString() + " (does not read) — Panel designer"));
}

void DesignerWindow::OpenFile(const std::string& path) {
  path_ = path;
  try {
    Adopt(TDesignDocument::Open(path));
    Status("Opened " + path);
  } catch (const Exception& error) {
    ShowError(error.Message());
  }
}

void DesignerWindow::NewForm() {
  path_.clear();
  Adopt(TDesignDocument::NewForm());
}

void DesignerWindow::Reload() {
  if (path_.empty()) return;
  if (document_ && document_->IsModified() &&
      QMessageBox::question(this, "Reload", "Drop the changes not saved and read the file again?") != QMessageBox::Yes)
    return;
  OpenFile(path_);
}

void DesignerWindow::Watch() {
  if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
  if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
  if (path_.empty()) return;
  watcher_.addPath(Q(path_));
  watcher_.addPath(QFileInfo(Q(path_)).absolutePath());  // editors that save by renaming
}

void DesignerWindow::FileChangedOnDisk() {
  if (path_.empty() || asking_) return;
  if (!document_) {  // the error view: read again as soon as the file is fixed
    if (QFileInfo::exists(Q(path_))) OpenFile(path_);
    return;
  }
  // The folder is watched too: only a change of the file's bytes counts.
  if (!QFileInfo::exists(Q(path_)) || FileBytes(path_) == document_->SavedText()) {
    Watch();
    return;
  }
  asking_ = true;
  const bool reload = QMessageBox::question(this, "File changed",
                                            Q(path_ + " was changed by another program. Read it again" +
                                              (document_->IsModified() ? ", dropping the changes not saved?" : "?"))) ==
                      QMessageBox::Yes;
  asking_ = false;
  if (reload) OpenFile(path_);
  else Watch();
}

bool DesignerWindow::Save() {
  if (!document_) return false;
  if (path_.empty()) return SaveAs();
  try {
    document_->SaveAs(path_);
  } catch (const AtomicSaveError& error) {
    QMessageBox::warning(this, "Save", Q(error.what()));
    return false;
  }
  Status("Saved " + path_);
  Watch();
  Changed();
  return true;
}

bool DesignerWindow::SaveAs() {
  if (!document_) return false;
  const QString path = QFileDialog::getSaveFileName(this, "Save form", Q(path_), "Form files (*.txt)");
  if (path.isEmpty()) return false;
  path_ = S(path);
  return Save();
}

void DesignerWindow::OpenDialog() {
  if (!MaySetAside()) return;
  const QString path = QFileDialog::getOpenFileName(this, "Open form", Q(path_), "Form files (*.txt);;All files (*)");
  if (!path.isEmpty()) OpenFile(S(path));
}

bool DesignerWindow::MaySetAside() {
  if (!document_ || !document_->IsModified()) return true;
  const auto answer =
      QMessageBox::question(this, "Unsaved changes", "Save the changes to the form first?",
                            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return Save();
  return answer == QMessageBox::Discard;
}

void DesignerWindow::closeEvent(QCloseEvent* event) {
  if (!MaySetAside()) return event->ignore();
  event->accept();
  QCoreApplication::quit();  // the application layer keeps running without windows otherwise
}

void DesignerWindow::Paste() {
  if (!document_) return;
  const std::vector<TControl*> selected = document_->SelectedControls();
  auto* parent = selected.size() == 1 ? dynamic_cast<TWinControl*>(selected.front()) : nullptr;
  if (!parent || !IsContainer(*parent)) parent = selected.empty() ? nullptr : selected.front()->Parent();
  if (!parent) parent = dynamic_cast<TWinControl*>(&document_->Root());
  try {
    if (!parent) throw InvalidOperation("The form's root holds no controls");
    document_->Paste(S(QApplication::clipboard()->text()), *parent);
  } catch (const Exception& error) {
    Status("Paste: " + error.Message());
  }
  canvas_->Refresh();
  Changed();
}

void DesignerWindow::Preview() {
  if (!document_) return;
  previewFolder_ = std::make_unique<QTemporaryDir>();
  const std::string name = path_.empty() ? "Form.txt" : S(QFileInfo(Q(path_)).fileName());
  const std::string copy = S(previewFolder_->path()) + "/" + name;
  std::ofstream(copy, std::ios::binary) << document_->Text();
  QStringList arguments;
  if (!simPath_.empty()) arguments << "--sim" << Q(simPath_);
  arguments << Q(copy);
  if (!QProcess::startDetached(PanelViewProgram(), arguments)) Status("panelview could not be started");
  else Status("Previewing in panelview; close its window to come back");
}

void DesignerWindow::EditItems() {
  if (!document_) return;
  const std::vector<TControl*> selected = document_->SelectedControls();
  if (selected.size() != 1 || !CanBindItems(*selected.front())) {
    Status("Select one instrument to edit its data-link items");
    return;
  }
  TControl& instrument = *selected.front();
  ItemBindingsDialog dialog(BindableProperties(instrument), ItemBindingsOf(instrument), this);
  if (dialog.exec() != QDialog::Accepted) return;
  try {
    SetItemBindings(*document_, instrument.Name(), dialog.Bindings());
  } catch (const Exception& error) {
    Status(error.Message());
  }
  canvas_->Refresh();
  Changed();
}

void DesignerWindow::Changed() {
  inspector_->Refresh();
  const std::string name = path_.empty() ? "New form" : S(QFileInfo(Q(path_)).fileName());
  setWindowTitle(Q(name + (document_ && document_->IsModified() ? " *" : "") + " — Panel designer"));
}

void DesignerWindow::Status(const std::string& message) { statusBar()->showMessage(Q(message), 10000); }

}  // namespace tintoral
