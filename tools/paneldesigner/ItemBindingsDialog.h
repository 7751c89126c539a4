#pragma once
// Edits the data-link items of one instrument: a list of its items, and for
// the chosen one the bound property (from the instrument's published
// properties), the server, the item, the group, the update rate and
// whether the item's quality drives the instrument's error flag.
#include <QDialog>
#include <vector>

#include "tools/paneldesigner/ItemBindings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace tintoral {

class ItemBindingsDialog : public QDialog {
 public:
  ItemBindingsDialog(const std::vector<std::string>& properties, std::vector<TItemBinding> bindings, QWidget* parent);
  const std::vector<TItemBinding>& Bindings() const { return bindings_; }

 private:
  void ShowBinding(int index);
  void StoreBinding();
  void RefreshList();

  std::vector<TItemBinding> bindings_;
  int current_ = -1;
  QListWidget* list_;
  QComboBox* property_;
  QLineEdit* server_;
  QLineEdit* item_;
  QLineEdit* group_;
  QSpinBox* rate_;
  QCheckBox* autoError_;
};

}  // namespace tintoral
