#include "tools/paneldesigner/ItemBrowserDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <mutex>
#include <optional>
#include <thread>

#include "instruments/opc/OPCLibrary.h"
#include "tools/paneldesigner/QtText.h"

namespace tintoral {
namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kBranchRole = Qt::UserRole + 1;
constexpr int kPollMs = 50;

}  // namespace

ItemBrowserDialog::ItemBrowserDialog(const std::string& computer, const std::string& server, QWidget* parent)
    : QDialog(parent), computer_(computer) {
  setWindowTitle("Browse items");
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  server_ = new QComboBox;
  server_->setEditable(true);
  server_->setAccessibleName("Server");
  for (const std::string& known : BrowseServers(LinkLibraryFor(server), computer)) server_->addItem(Q(known));
  server_->setCurrentText(Q(server));
  form->addRow("&Server:", server_);
  layout->addLayout(form);
  auto* browse = new QPushButton("&Browse");
  layout->addWidget(browse);
  tree_ = new QTreeWidget;
  tree_->setHeaderLabels({"Name", "Item"});
  tree_->setAccessibleName("Items");
  layout->addWidget(tree_);
  message_ = new QLabel;
  message_->setWordWrap(true);
  layout->addWidget(message_);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  layout->addWidget(box);
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(browse, &QPushButton::clicked, this, [this] { BrowseTop(); });
  connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    if (item->data(0, kBranchRole).toBool() && item->childCount() == 1 && item->child(0)->text(0).isEmpty())
      Browse(item, S(item->data(0, kIdRole).toString()));
  });
  connect(tree_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (!item->data(0, kBranchRole).toBool()) accept();
  });
  BrowseTop();
}

std::string ItemBrowserDialog::Server() const { return S(server_->currentText()); }

std::string ItemBrowserDialog::Item() const {
  const QTreeWidgetItem* item = tree_->currentItem();
  return item && !item->data(0, kBranchRole).toBool() ? S(item->data(0, kIdRole).toString()) : "";
}

void ItemBrowserDialog::BrowseTop() {
  ++generation_;
  tree_->clear();
  Browse(nullptr, "");
}

// The browse runs on a thread of its own, left to end by itself (at the
// latest when the time limit passes); a timer looks for its result, which a
// dialog closed or a tree browsed anew meanwhile never sees.
void ItemBrowserDialog::Browse(QTreeWidgetItem* parent, const std::string& branch) {
  struct TPending {
    std::mutex lock;
    std::optional<TBrowseResult> result;
  };
  message_->setText("Browsing…");
  const std::string server = Server();
  const TiOPCLibrary& library = LinkLibraryFor(server);  // the process's, alive to its end
  auto pending = std::make_shared<TPending>();
  std::thread([pending, &library, computer = computer_, server, branch] {
    TBrowseResult result = BrowseBranch(library, computer, server, branch, kBrowseTimeoutMs);
    const std::lock_guard hold(pending->lock);
    pending->result = std::move(result);
  }).detach();
  auto* poll = new QTimer(this);
  connect(poll, &QTimer::timeout, this, [this, poll, pending, parent, generation = generation_] {
    const std::lock_guard hold(pending->lock);
    if (!pending->result) return;
    poll->deleteLater();
    if (generation == generation_) Fill(parent, *pending->result);
  });
  poll->start(kPollMs);
}

void ItemBrowserDialog::Fill(QTreeWidgetItem* parent, const TBrowseResult& result) {
  if (parent) qDeleteAll(parent->takeChildren());
  message_->setText(result.error.empty() ? QString("Entries: %1").arg(result.entries.size())
                                         : Q("Cannot browse the server: " + result.error));
  for (const TBrowseEntry& entry : result.entries) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
    item->setText(0, Q(entry.name));
    item->setText(1, entry.isBranch ? QString() : Q(entry.id));
    item->setData(0, kIdRole, Q(entry.id));
    item->setData(0, kBranchRole, entry.isBranch);
    if (entry.isBranch) new QTreeWidgetItem(item);  // a placeholder: the branch opens when expanded
  }
  if (!parent && tree_->topLevelItemCount() > 0) tree_->setCurrentItem(tree_->topLevelItem(0));
}

}  // namespace tintoral
