#include "tools/paneldesigner/PropertyPanel.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/graphics/Color.h"
#include "platform/window/Control.h"
#include "system/Locale.h"
#include "tools/paneldesigner/DesignDocument.h"
#include "tools/paneldesigner/PropertyRows.h"
#include "tools/paneldesigner/QtText.h"

namespace tintoral {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kElementRole = Qt::UserRole + 1;  // a set element's check box: its name
constexpr const char* kChooseColor = "Choose…";

std::string WithSeparator(std::string text, char from, char to) {
  std::replace(text.begin(), text.end(), from, to);
  return text;
}

// The colours that have a name, the window system's included.
std::vector<std::string> NamedColors() {
  std::vector<TColor> candidates = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                    0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                    0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF, clNone,   0x20000000};
  for (unsigned system = 0; system <= 0x1E; ++system) candidates.push_back(static_cast<TColor>(0xFF000000u | system));
  std::vector<std::string> names;
  for (TColor color : candidates)
    if (std::string name; ColorToIdent(color, name)) names.push_back(name);
  return names;
}

}  // namespace

PropertyInspector::PropertyInspector(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  tree_ = new QTreeWidget(this);
  tree_->setColumnCount(2);
  tree_->setHeaderLabels({"Property", "Value"});
  tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  tree_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed);
  tree_->setAccessibleName("Properties");
  tree_->setAccessibleDescription("The selected control's published properties; F2 edits a value");
  layout->addWidget(tree_);
  message_ = new QLabel(this);
  message_->setWordWrap(true);
  message_->setStyleSheet("color: #a00000");
  message_->setAccessibleName("Property message");
  message_->hide();
  layout->addWidget(message_);
  QObject::connect(tree_, &QTreeWidget::itemChanged, this,
                   [this](QTreeWidgetItem* item, int column) { ItemChanged(item, column); });
}

void PropertyInspector::SetDocument(TDesignDocument* document) {
  document_ = document;
  ShowMessage("");
  Refresh();
}

std::string PropertyInspector::TargetName() const {
  const std::vector<TControl*> selected = document_->SelectedControls();
  return selected.empty() ? document_->Root().Name() : selected.front()->Name();
}

void PropertyInspector::ShowMessage(const std::string& message) {
  message_->setText(Q(message));
  message_->setVisible(!message.empty());
}

void PropertyInspector::Refresh() {
  const QString current = tree_->currentItem() ? tree_->currentItem()->data(0, kPathRole).toString() : QString();
  filling_ = true;
  tree_->clear();
  if (!document_) {
    filling_ = false;
    return;
  }
  const TControl* target = document_->FindControl(TargetName());
  std::vector<QTreeWidgetItem*> parents;
  QTreeWidgetItem* restore = nullptr;
  for (const TPropertyRow& row : PropertyRowsOf(*target)) {
    parents.resize(static_cast<std::size_t>(row.depth));
    auto* item = parents.empty() ? new QTreeWidgetItem(tree_) : new QTreeWidgetItem(parents.back());
    parents.push_back(item);
    item->setText(0, Q(row.name));
    item->setData(0, kPathRole, Q(row.path));
    QFont font = item->font(0);
    font.setBold(!row.isDefault);
    item->setFont(0, font);
    item->setFont(1, font);
    std::string shown = row.kind == tkFloat ? WithSeparator(row.value, '.', DecimalSeparator()) : row.value;
    if (row.editor == TPropertyRow::TEditor::Event)
      shown = row.value.empty() ? "(not bound in panels)" : row.value + " (not bound in panels)";
    item->setText(1, Q(shown));
    item->setToolTip(0, Q(row.typeName + (row.isDefault ? "" : ", not the default")));
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!row.readOnly && (row.editor == TPropertyRow::TEditor::Text || row.editor == TPropertyRow::TEditor::Color))
      flags |= Qt::ItemIsEditable;
    if (row.editor == TPropertyRow::TEditor::Event) flags &= ~Qt::ItemIsEnabled;
    item->setFlags(flags);
    if (!row.readOnly) AddEditor(item, row);
    if (item->data(0, kPathRole).toString() == current) restore = item;
  }
  if (restore) tree_->setCurrentItem(restore, 1);
  filling_ = false;
}

void PropertyInspector::AddEditor(QTreeWidgetItem* item, const TPropertyRow& row) {
  const std::string path = row.path;
  switch (row.editor) {
    case TPropertyRow::TEditor::Choice:
    case TPropertyRow::TEditor::Reference:
    case TPropertyRow::TEditor::Color: {
      auto* combo = new QComboBox;
      combo->setAccessibleName(Q(row.name));
      std::vector<std::string> choices = row.choices;
      if (row.editor == TPropertyRow::TEditor::Reference) {
        choices = {""};
        const TComponent& root = document_->Root();
        for (int i = 0; i < root.ComponentCount(); ++i) choices.push_back(root.Components(i)->Name());
      } else if (row.editor == TPropertyRow::TEditor::Color) {
        choices = NamedColors();
        if (std::find(choices.begin(), choices.end(), row.value) == choices.end())
          choices.insert(choices.begin(), row.value);
        choices.push_back(kChooseColor);
      }
      for (const std::string& choice : choices) combo->addItem(Q(choice));
      combo->setCurrentText(Q(row.value));
      QObject::connect(combo, &QComboBox::activated, combo, [this, combo, path, value = row.value](int) {
        const std::string chosen = S(combo->currentText());
        QTimer::singleShot(0, this, [this, path, chosen, value] {
          if (chosen == kChooseColor) ChooseColor(path, value);
          else Apply(path, chosen);
        });
      });
      tree_->setItemWidget(item, 1, combo);
      return;
    }
    case TPropertyRow::TEditor::Set:
      for (const std::string& element : row.choices) {
        auto* box = new QTreeWidgetItem(item);
        box->setText(0, Q(element));
        box->setData(0, kPathRole, Q(path));
        box->setData(0, kElementRole, Q(element));
        box->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        const bool on =
            row.value.find(element + ",") != std::string::npos || row.value.find(element + "]") != std::string::npos;
        box->setCheckState(1, on ? Qt::Checked : Qt::Unchecked);
      }
      return;
    case TPropertyRow::TEditor::Font: {
      auto* button = new QPushButton("Font…");
      button->setAccessibleName(Q(row.name + " dialog"));
      QObject::connect(button, &QPushButton::clicked, this,
                       [this, path] { QTimer::singleShot(0, this, [this, path] { ChooseFont(path); }); });
      tree_->setItemWidget(item, 1, button);
      return;
    }
    default: return;
  }
}

void PropertyInspector::ItemChanged(QTreeWidgetItem* item, int column) {
  if (filling_ || column != 1) return;
  const std::string path = S(item->data(0, kPathRole).toString());
  const QString element = item->data(0, kElementRole).toString();
  std::string value;
  if (!element.isEmpty()) {
    QTreeWidgetItem* set = item->parent();
    value = "[";
    for (int i = 0; i < set->childCount(); ++i) {
      if (set->child(i)->checkState(1) != Qt::Checked) continue;
      if (value.size() > 1) value += ",";
      value += S(set->child(i)->data(0, kElementRole).toString());
    }
    value += "]";
  } else {
    value = S(item->text(1));
    const TControl* target = document_->FindControl(TargetName());
    const TPropertyRow* row = nullptr;
    const std::vector<TPropertyRow> rows = PropertyRowsOf(*target);
    for (const TPropertyRow& r : rows)
      if (r.path == path) row = &r;
    if (row && row->kind == tkFloat) value = WithSeparator(value, DecimalSeparator(), '.');
  }
  QTimer::singleShot(0, this, [this, path, value] { Apply(path, value); });
}

void PropertyInspector::Apply(const std::string& path, const std::string& value) {
  if (!document_) return;
  const std::string error = document_->SetProperty(TargetName(), path, value);
  ShowMessage(error.empty() ? "" : path + ": " + error);
  if (onChanged) onChanged();
}

void PropertyInspector::ChooseColor(const std::string& path, const std::string& current) {
  TColor color = 0;
  if (!IdentToColor(current, color) && !current.empty() && current[0] == '$')
    color = static_cast<TColor>(std::strtoul(current.c_str() + 1, nullptr, 16));
  const TColor rgb = ColorToRGB(color);
  const QColor chosen =
      QColorDialog::getColor(QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF), this, "Colour");
  if (!chosen.isValid()) return Refresh();
  char text[16];
  std::snprintf(text, sizeof text, "$%08X",
                static_cast<unsigned>(chosen.red() | chosen.green() << 8 | chosen.blue() << 16));
  Apply(path, text);
}

void PropertyInspector::ChooseFont(const std::string& path) {
  const TControl* target = document_->FindControl(TargetName());
  std::string name = "MS Sans Serif";
  for (const TPropertyRow& row : PropertyRowsOf(*target))
    if (row.path == path + ".Name") name = row.value;
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, QFont(Q(name)), this, "Font");
  if (!ok) return;
  std::string style = "[";
  const auto add = [&](bool on, const char* element) {
    if (!on) return;
    if (style.size() > 1) style += ",";
    style += element;
  };
  add(font.bold(), "fsBold");
  add(font.italic(), "fsItalic");
  add(font.underline(), "fsUnderline");
  add(font.strikeOut(), "fsStrikeOut");
  std::vector<std::pair<std::string, std::string>> parts{{path + ".Name", S(font.family())}};
  if (font.pointSize() > 0) parts.emplace_back(path + ".Size", std::to_string(font.pointSize()));
  parts.emplace_back(path + ".Style", style + "]");
  ShowMessage(document_->SetProperties(TargetName(), parts));
  if (onChanged) onChanged();
}

}  // namespace tintoral
