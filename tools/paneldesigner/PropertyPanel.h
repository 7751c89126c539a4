#pragma once
// The property inspector: one row per published property of the selected
// component (the form when nothing is selected), built from the registry
// (PropertyRows.h). Values that differ from the default are bold. Numbers,
// texts and Booleans are typed (floats with the locale's decimal
// separator); enumerations pick from their values; sets have a check box
// per element; colours pick a named colour or any colour from a picker;
// fonts open a font dialog and show their properties below; held objects
// show theirs; events are listed as not bound in panels. A value the
// component refuses leaves the old one and shows why under the list.
#include <QWidget>
#include <functional>
#include <string>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace tintoral {

class TDesignDocument;
struct TPropertyRow;

class PropertyInspector : public QWidget {
 public:
  explicit PropertyInspector(QWidget* parent = nullptr);

  void SetDocument(TDesignDocument* document);
  // Lists the selected component's properties anew.
  void Refresh();
  // The message under the list ("" hides it).
  void ShowMessage(const std::string& message);

  // Told after a property changed.
  std::function<void()> onChanged;

 private:
  std::string TargetName() const;
  void Apply(const std::string& path, const std::string& value);
  void AddEditor(QTreeWidgetItem* item, const TPropertyRow& row);
  void ItemChanged(QTreeWidgetItem* item, int column);
  void ChooseFont(const std::string& path);
  void ChooseColor(const std::string& path, const std::string& current);

  TDesignDocument* document_ = nullptr;
  QTreeWidget* tree_;
  QLabel* message_;
  bool filling_ = false;
};

}  // namespace tintoral
