#pragma once
// Edits the data-link items of one instrument: a list of its items, and for
// the chosen one the bound property (from the instrument's published
// properties), the server, the item, the group, the update rate and
// whether the item's quality drives the instrument's error flag. "Browse"
// chooses the server and the item from what the link library knows
// (ItemBrowserDialog.h); "Test" reads the item's current value once and
// shows it, or why none came within kReadingTimeoutMs.
#include <QDialog>
#include <QTimer>
#include <memory>
#include <vector>

#include "tools/paneldesigner/ItemBindings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace tintoral {

class TItemReading;

class ItemBindingsDialog : public QDialog {
 public:
  static constexpr int kReadingTimeoutMs = 5000;

  ItemBindingsDialog(const std::vector<std::string>& properties, std::vector<TItemBinding> bindings, QWidget* parent);
  ~ItemBindingsDialog() override;
  const std::vector<TItemBinding>& Bindings() const { return bindings_; }

 private:
  void ShowBinding(int index);
  void StoreBinding();
  void RefreshList();
  void BrowseItems();
  void TestReading();
  void ShowReading();

  std::vector<TItemBinding> bindings_;
  int current_ = -1;
  QListWidget* list_;
  QComboBox* property_;
  QLineEdit* server_;
  QLineEdit* item_;
  QLineEdit* group_;
  QSpinBox* rate_;
  QCheckBox* autoError_;
  QLabel* reading_;
  std::unique_ptr<TItemReading> probe_;
  QTimer probeTimer_;
  int probeWaitedMs_ = 0;
};

}  // namespace tintoral
