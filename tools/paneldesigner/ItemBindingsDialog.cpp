#include "tools/paneldesigner/ItemBindingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "instruments/opc/OPCLibrary.h"
#include "tools/paneldesigner/ItemBrowserDialog.h"
#include "tools/paneldesigner/ItemBrowsing.h"
#include "tools/paneldesigner/QtText.h"

namespace tintoral {
namespace {

constexpr int kPollMs = 100;

template <class W>
W* Named(W* widget, const char* name) {
  widget->setAccessibleName(name);
  return widget;
}

}  // namespace

ItemBindingsDialog::ItemBindingsDialog(const std::vector<std::string>& properties, std::vector<TItemBinding> bindings,
                                       QWidget* parent)
    : QDialog(parent), bindings_(std::move(bindings)) {
  setWindowTitle("Data-link items");
  auto* layout = new QVBoxLayout(this);
  list_ = Named(new QListWidget, "Items");
  layout->addWidget(list_);
  auto* buttons = new QHBoxLayout;
  auto* add = new QPushButton("&Add item");
  auto* remove = new QPushButton("&Remove item");
  buttons->addWidget(add);
  buttons->addWidget(remove);
  layout->addLayout(buttons);
  auto* form = new QFormLayout;
  property_ = Named(new QComboBox, "Property");
  for (const std::string& p : properties) property_->addItem(Q(p));
  server_ = Named(new QLineEdit, "Server");
  item_ = Named(new QLineEdit, "Item");
  group_ = Named(new QLineEdit, "Group");
  rate_ = Named(new QSpinBox, "Update rate");
  rate_->setRange(0, 3600000);
  autoError_ = Named(new QCheckBox("Quality sets the &error flag"), "Quality sets the error flag");
  form->addRow("&Property:", property_);
  form->addRow("&Server:", server_);
  auto* itemRow = new QHBoxLayout;
  auto* browse = new QPushButton("&Browse…");
  auto* test = new QPushButton("&Test");
  itemRow->addWidget(item_);
  itemRow->addWidget(browse);
  itemRow->addWidget(test);
  auto* itemLabel = new QLabel("&Item:");
  itemLabel->setBuddy(item_);  // Alt+I reaches the field inside the row
  form->addRow(itemLabel, itemRow);
  reading_ = Named(new QLabel, "Reading");
  reading_->setWordWrap(true);
  form->addRow(reading_);
  form->addRow("&Group:", group_);
  form->addRow("&Update rate (ms):", rate_);
  form->addRow(autoError_);
  layout->addLayout(form);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  layout->addWidget(box);
  QObject::connect(box, &QDialogButtonBox::accepted, this, [this] {
    StoreBinding();
    accept();
  });
  QObject::connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  QObject::connect(add, &QPushButton::clicked, this, [this, properties] {
    StoreBinding();
    TItemBinding binding;
    binding.propertyName = properties.empty() ? "" : properties.front();
    for (const char* usual : {"Position", "Value"})  // the value of readouts, the position of sliders
      if (std::find(properties.begin(), properties.end(), usual) != properties.end()) binding.propertyName = usual;
    bindings_.push_back(binding);
    current_ = -1;
    RefreshList();
    list_->setCurrentRow(static_cast<int>(bindings_.size()) - 1);
    server_->setFocus();
  });
  QObject::connect(remove, &QPushButton::clicked, this, [this] {
    if (current_ < 0) return;
    bindings_.erase(bindings_.begin() + current_);
    current_ = -1;
    RefreshList();
  });
  QObject::connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    StoreBinding();
    ShowBinding(row);
  });
  QObject::connect(browse, &QPushButton::clicked, this, [this] { BrowseItems(); });
  QObject::connect(test, &QPushButton::clicked, this, [this] { TestReading(); });
  probeTimer_.setInterval(kPollMs);
  QObject::connect(&probeTimer_, &QTimer::timeout, this, [this] { ShowReading(); });
  RefreshList();
  if (!bindings_.empty()) list_->setCurrentRow(0);
  else ShowBinding(-1);
}

ItemBindingsDialog::~ItemBindingsDialog() = default;

void ItemBindingsDialog::BrowseItems() {
  if (current_ < 0) return;
  StoreBinding();
  const TItemBinding& b = bindings_[static_cast<std::size_t>(current_)];
  ItemBrowserDialog browser(b.computerName, b.serverName, this);
  if (browser.exec() != QDialog::Accepted || browser.Item().empty()) return;
  server_->setText(Q(browser.Server()));
  item_->setText(Q(browser.Item()));
  StoreBinding();
}

// The item is linked through its library until its first value comes or
// the time is up; the window goes on meanwhile.
void ItemBindingsDialog::TestReading() {
  if (current_ < 0) return;
  StoreBinding();
  const TItemBinding& b = bindings_[static_cast<std::size_t>(current_)];
  probe_.reset();
  probe_ = std::make_unique<TItemReading>(LinkLibraryFor(b.serverName), b);
  probeWaitedMs_ = 0;
  reading_->setText("Reading " + Q(b.itemName) + "…");
  probeTimer_.start();
}

void ItemBindingsDialog::ShowReading() {
  probeWaitedMs_ += kPollMs;
  if (const std::optional<std::string> value = probe_->Value()) {
    reading_->setText("Value: " + Q(*value));
  } else if (probeWaitedMs_ >= kReadingTimeoutMs) {
    const std::string trouble = probe_->Trouble();
    reading_->setText(QString("No value within %1 s").arg(kReadingTimeoutMs / 1000) +
                      (trouble.empty() ? QString() : ": " + Q(trouble)));
  } else {
    return;
  }
  probeTimer_.stop();
  probe_.reset();
}

void ItemBindingsDialog::RefreshList() {
  const QSignalBlocker block(list_);
  list_->clear();
  for (const TItemBinding& b : bindings_) list_->addItem(Q(b.propertyName + " ← " + b.serverName + " " + b.itemName));
  ShowBinding(-1);
}

void ItemBindingsDialog::ShowBinding(int index) {
  current_ = index;
  const bool any = index >= 0 && index < static_cast<int>(bindings_.size());
  for (QWidget* w : std::initializer_list<QWidget*>{property_, server_, item_, group_, rate_, autoError_})
    w->setEnabled(any);
  if (!any) return;
  const TItemBinding& b = bindings_[static_cast<std::size_t>(index)];
  property_->setCurrentText(Q(b.propertyName));
  server_->setText(Q(b.serverName));
  item_->setText(Q(b.itemName));
  group_->setText(Q(b.groupName));
  rate_->setValue(b.updateRate);
  autoError_->setChecked(b.autoError);
}

void ItemBindingsDialog::StoreBinding() {
  if (current_ < 0 || current_ >= static_cast<int>(bindings_.size())) return;
  TItemBinding& b = bindings_[static_cast<std::size_t>(current_)];
  b.propertyName = S(property_->currentText());
  b.serverName = S(server_->text());
  b.itemName = S(item_->text());
  b.groupName = S(group_->text());
  b.updateRate = rate_->value();
  b.autoError = autoError_->isChecked();
  if (QListWidgetItem* row = list_->item(current_))
    row->setText(Q(b.propertyName + " ← " + b.serverName + " " + b.itemName));
}

}  // namespace tintoral
