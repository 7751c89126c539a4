#include "app/MainWindowMenu.h"

#include <QContextMenuEvent>
#include <QMenu>

#include "app/MainForm.h"
#include "platform/window/Application.h"
#include "platform/window/ControlWidget.h"

namespace tintoral {
namespace {

// Watches the window for context-menu requests, which Qt passes up from the
// control under the pointer when it takes none itself.
class TMainWindowMenu final : public QObject {
 public:
  TMainWindowMenu(TForm1& form, QWidget& window) : QObject(&window), form_(form) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::ContextMenu) return false;
    QMenu menu;
    const struct {
      const char* text;
      const char* key;
      TMainWindowCommand command;
    } items[] = {{"Se\u00F1ales de prueba", "F2", TMainWindowCommand::TestSignals},
                 {"Acerca de ...", "F1", TMainWindowCommand::About},
                 {"Guardar imagen\u2026", "Ctrl+S", TMainWindowCommand::SavePicture},
                 {"Copiar valores", "Ctrl+C", TMainWindowCommand::CopyValues}};
    for (const auto& item : items) {
      QAction* action = menu.addAction(QString::fromUtf8(item.text));
      action->setShortcut(QKeySequence(QString::fromLatin1(item.key)));
      action->setShortcutVisibleInContextMenu(true);
      const TMainWindowCommand command = item.command;
      QObject::connect(action, &QAction::triggered, &menu, [this, command] { chosen_ = command; });
    }
    chosen_ = TMainWindowCommand::None;
    menu.exec(static_cast<QContextMenuEvent*>(event)->globalPos());
    // Run once the menu is gone: the About box and the file dialog are modal.
    GuardedCall([&] { form_.RunCommand(chosen_); });
    return true;
  }

 private:
  TForm1& form_;
  TMainWindowCommand chosen_ = TMainWindowCommand::None;
};

}  // namespace

void InstallMainWindowMenu(TForm1& form) {
  QWidget* window = form.Widget();
  if (!window) return;
  window->installEventFilter(new TMainWindowMenu(form, *window));
}

}  // namespace tintoral
