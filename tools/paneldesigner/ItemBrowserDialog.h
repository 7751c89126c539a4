#pragma once
// Browses a server's items through the link library (ItemBrowsing.h): the
// servers it knows in a list that takes any name too, the chosen server's
// address space as a tree whose branches open as they are expanded. Each
// browse runs on a thread of its own, so a server that does not answer
// leaves the window working; its reason shows once the time limit passes.
#include <QDialog>
#include <string>

#include "tools/paneldesigner/ItemBrowsing.h"

class QComboBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace tintoral {

class ItemBrowserDialog : public QDialog {
 public:
  static constexpr int kBrowseTimeoutMs = 5000;

  ItemBrowserDialog(const std::string& computer, const std::string& server, QWidget* parent);
  std::string Server() const;
  // The item chosen, "" when none.
  std::string Item() const;

 private:
  void BrowseTop();
  // Browses the branch into `parent` (nullptr: the top of the tree).
  void Browse(QTreeWidgetItem* parent, const std::string& branch);
  void Fill(QTreeWidgetItem* parent, const TBrowseResult& result);

  std::string computer_;
  QComboBox* server_;
  QTreeWidget* tree_;
  QLabel* message_;
  int generation_ = 0;  // of the tree: a result for an older one is dropped
};

}  // namespace tintoral
