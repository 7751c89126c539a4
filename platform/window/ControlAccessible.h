#pragma once
// The accessible interfaces of controls (platform-internal; Qt). Every
// ControlWidget gets a ControlAccessible, which answers from the control's
// describer (platform/window/AccessibleDescription.h): role, name,
// description, value, state, the caption relation, and Qt's value, text and
// press-action interfaces where the describer offers them. Graphic controls
// have no widget; those with a describer (labels, speed buttons) are extra
// children of their parent's interface, each a GraphicControlAccessible that
// the parent's interface creates, registers with Qt and deletes. Children,
// windowed and graphic alike, are listed in reading order
// (platform/window/AccessibleReadingOrder.h).
#include <QAccessibleWidget>
#include <QPointer>
#include <map>
#include <optional>
#include <vector>

#include "platform/window/AccessibleDescription.h"
#include "platform/window/AccessibleText.h"

namespace tintoral {

class ControlWidget;
class TControl;

// Makes Qt ask ControlAccessible for every control widget. Runs once, when
// the first control widget is created; later calls do nothing.
void InstallControlAccessibility();

// Tells assistive technology, while it listens, what a paint of the widget
// changed in the control and its graphic children (see ControlAccessible::
// ReportChanges). ControlWidget calls it after every paint.
void ReportAccessibleChanges(ControlWidget& widget);

// Where the change reports go instead of Qt's accessibility (which passes
// them on only while assistive technology listens): for tests on platforms
// without any. Returns the previous sink; nullptr restores Qt's.
using AccessibleEventSink = void (*)(QAccessibleEvent* event);
AccessibleEventSink SetAccessibleEventSink(AccessibleEventSink sink);

// The interface of any control: its widget's, or for a graphic control the
// one its parent's interface keeps; nullptr without a window to show in.
QAccessibleInterface* AccessibleInterfaceOf(const TControl& control);

// The name and value last reported for an interface (at first, those it
// had when it was made).
struct ReportedState {
  QString name;
  QVariant value;
};

class ControlAccessible : public QAccessibleWidget, public QAccessibleValueInterface, public ShownTextInterface {
 public:
  explicit ControlAccessible(ControlWidget* widget);

  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  QString text(QAccessible::Text type) const override;
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match = QAccessible::AllRelations) const override;
  void* interface_cast(QAccessible::InterfaceType type) override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;

  // Set through the describer as the user's gesture would; a value that is
  // no number changes nothing.
  QVariant currentValue() const override;
  void setCurrentValue(const QVariant& value) override;
  QVariant maximumValue() const override;
  QVariant minimumValue() const override;
  QVariant minimumStepSize() const override;

  // Qt's actions (set focus) and, for a control the describer may press, the
  // press: it runs once the request that asked for it has been answered, so
  // that a modal window it opens does not hold up the caller.
  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;

  // NameChanged for a new name, ValueChanged for a new value of a range,
  // for the control and for each graphic child a screen reader has seen,
  // compared with the last report, or with what the interface had when it
  // was made: the first change after a screen reader has looked is told.
  void ReportChanges();

  // The interface of a graphic child, made on first use.
  QAccessibleInterface* GraphicChildInterface(TControl* child) const;

 protected:
  ~ControlAccessible() override;
  QString ShownText() const override;

 private:
  // nullptr once the control is gone.
  TControl* Control() const;
  const TAccessibleDescriber& Describer() const;
  // The control's range; nothing for controls without one.
  std::optional<TAccessibleRange> Range() const;
  QVariant RangeValue(double TAccessibleRange::*part) const;
  std::vector<TControl*> DescribedGraphicChildren() const;
  // Child widgets and described graphic children, in reading order.
  std::vector<QAccessibleInterface*> Children() const;

  mutable std::map<const TControl*, QAccessible::Id> graphicChildren_;
  ReportedState reported_;
};

class GraphicControlAccessible : public QAccessibleInterface,
                                 public QAccessibleActionInterface,
                                 public ShownTextInterface {
 public:
  GraphicControlAccessible(QWidget* parentWidget, TControl* control);

  bool isValid() const override { return Control() != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text type) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match = QAccessible::AllRelations) const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // The press, for a control the describer may press (as ControlAccessible's).
  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

  const TControl* Identity() const { return control_; }
  ReportedState& Reported() { return reported_; }

 protected:
  QString ShownText() const override;

 private:
  // The control while it is still a child of the parent widget's control;
  // nullptr once it has gone (its address is never followed before that test).
  TControl* Control() const;
  // The control's describer; nullptr once the control has gone.
  const TAccessibleDescriber* Describer() const;

  QPointer<QWidget> parentWidget_;
  TControl* control_;
  ReportedState reported_;
};

}  // namespace tintoral
