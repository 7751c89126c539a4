#include "platform/window/ControlAccessible.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/window/AccessibleDescription.h"
#include "platform/window/Application.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/GraphicControl.h"
#include "platform/window/WinControl.h"

namespace tintoral {
namespace {

QAccessible::Role QtRole(TAccessibleRole role) {
  switch (role) {
    case TAccessibleRole::Window: return QAccessible::Window;
    case TAccessibleRole::StaticText: return QAccessible::StaticText;
    case TAccessibleRole::Slider: return QAccessible::Slider;
    case TAccessibleRole::Client: break;
  }
  return QAccessible::Client;
}

// The name or value text from the describer; an empty optional for the other kinds.
std::optional<QString> DescribedText(const TAccessibleDescriber& describer, const TControl& control,
                                     QAccessible::Text type) {
  if (type == QAccessible::Name) return QString::fromStdU16String(describer.Name(control));
  if (type == QAccessible::Value) return QString::fromStdU16String(describer.Value(control));
  return std::nullopt;
}

TControl* ControlOf(QWidget* widget) {
  auto* controlWidget = dynamic_cast<ControlWidget*>(widget);
  return controlWidget ? controlWidget->Control() : nullptr;
}

AccessibleEventSink eventSink = nullptr;

void Deliver(QAccessibleEvent& event) {
  if (eventSink) eventSink(&event);
  else QAccessible::updateAccessibility(&event);
}

void ReportChangesOf(QAccessibleInterface& accessible, ReportedState& last) {
  const QString name = accessible.text(QAccessible::Name);
  QAccessibleValueInterface* valueInterface = accessible.valueInterface();
  const QVariant value = valueInterface ? valueInterface->currentValue() : QVariant();
  if (last.known && name != last.name) {
    QAccessibleEvent event(&accessible, QAccessible::NameChanged);
    Deliver(event);
  }
  if (last.known && value.isValid() && value != last.value) {
    QAccessibleValueChangeEvent event(&accessible, value);
    Deliver(event);
  }
  last = {true, name, value};
}

QAccessibleInterface* CreateControlAccessible(const QString&, QObject* object) {
  auto* widget = dynamic_cast<ControlWidget*>(object);
  return widget ? new ControlAccessible(widget) : nullptr;
}

}  // namespace

void InstallControlAccessibility() {
  static const bool installed = (QAccessible::installFactory(CreateControlAccessible), true);
  (void)installed;
}

AccessibleEventSink SetAccessibleEventSink(AccessibleEventSink sink) { return std::exchange(eventSink, sink); }

void ReportAccessibleChanges(ControlWidget& widget) {
  if (!eventSink && !QAccessible::isActive()) return;
  if (auto* accessible = dynamic_cast<ControlAccessible*>(QAccessible::queryAccessibleInterface(&widget)))
    accessible->ReportChanges();
}

// ---- ControlAccessible ------------------------------------------------------------

ControlAccessible::ControlAccessible(ControlWidget* widget) : QAccessibleWidget(widget) {}

ControlAccessible::~ControlAccessible() {
  for (const auto& [control, id] : graphicChildren_) QAccessible::deleteAccessibleInterface(id);
}

TControl* ControlAccessible::Control() const { return ControlOf(widget()); }

const TAccessibleDescriber& ControlAccessible::Describer() const {
  const TControl* control = Control();
  const TAccessibleDescriber* describer = control ? FindAccessibleDescriber(*control) : nullptr;
  return describer ? *describer : DefaultAccessibleDescriber();
}

QAccessible::Role ControlAccessible::role() const {
  const TControl* control = Control();
  return control ? QtRole(Describer().Role(*control)) : QAccessibleWidget::role();
}

QString ControlAccessible::text(QAccessible::Text type) const {
  const TControl* control = Control();
  if (control) {
    if (std::optional<QString> text = DescribedText(Describer(), *control, type)) return *text;
  }
  return QAccessibleWidget::text(type);
}

void* ControlAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::ValueInterface && Range()) return static_cast<QAccessibleValueInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

// The graphic children with a describer, in z-order; the interfaces of
// children that have gone are deleted on the way.
std::vector<TControl*> ControlAccessible::DescribedGraphicChildren() const {
  std::vector<TControl*> children;
  if (auto* parent = dynamic_cast<TWinControl*>(Control())) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      TControl* child = parent->Controls(i);
      if (dynamic_cast<TGraphicControl*>(child) && FindAccessibleDescriber(*child)) children.push_back(child);
    }
  }
  std::erase_if(graphicChildren_, [&](const auto& entry) {
    if (std::find(children.begin(), children.end(), entry.first) != children.end()) return false;
    QAccessible::deleteAccessibleInterface(entry.second);
    return true;
  });
  return children;
}

// The interface of a graphic child, made on first use.
QAccessibleInterface* ControlAccessible::GraphicChildInterface(TControl* child) const {
  auto found = graphicChildren_.find(child);
  if (found == graphicChildren_.end()) {
    auto* created = new GraphicControlAccessible(widget(), child);
    found = graphicChildren_.emplace(child, QAccessible::registerAccessibleInterface(created)).first;
  }
  return QAccessible::accessibleInterface(found->second);
}

int ControlAccessible::childCount() const {
  return QAccessibleWidget::childCount() + static_cast<int>(DescribedGraphicChildren().size());
}

QAccessibleInterface* ControlAccessible::child(int index) const {
  const int widgets = QAccessibleWidget::childCount();
  if (index < widgets) return QAccessibleWidget::child(index);
  const std::vector<TControl*> graphics = DescribedGraphicChildren();
  const auto at = static_cast<std::size_t>(index - widgets);
  return at < graphics.size() ? GraphicChildInterface(graphics[at]) : nullptr;
}

int ControlAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const auto* graphic = dynamic_cast<const GraphicControlAccessible*>(child);
  if (!graphic) return QAccessibleWidget::indexOfChild(child);
  const std::vector<TControl*> graphics = DescribedGraphicChildren();
  const auto found = std::find(graphics.begin(), graphics.end(), graphic->Identity());
  if (found == graphics.end()) return -1;
  return QAccessibleWidget::childCount() + static_cast<int>(found - graphics.begin());
}

QAccessibleInterface* ControlAccessible::childAt(int x, int y) const {
  if (QAccessibleInterface* found = QAccessibleWidget::childAt(x, y)) return found;
  for (TControl* graphic : DescribedGraphicChildren()) {
    QAccessibleInterface* candidate = GraphicChildInterface(graphic);
    if (candidate->rect().contains(x, y)) return candidate;
  }
  return nullptr;
}

std::optional<TAccessibleRange> ControlAccessible::Range() const {
  const TControl* control = Control();
  return control ? Describer().Range(*control) : std::nullopt;
}

QVariant ControlAccessible::RangeValue(double TAccessibleRange::*part) const {
  const std::optional<TAccessibleRange> range = Range();
  return range ? QVariant((*range).*part) : QVariant();
}

QVariant ControlAccessible::currentValue() const { return RangeValue(&TAccessibleRange::Current); }
QVariant ControlAccessible::maximumValue() const { return RangeValue(&TAccessibleRange::Maximum); }
QVariant ControlAccessible::minimumValue() const { return RangeValue(&TAccessibleRange::Minimum); }
QVariant ControlAccessible::minimumStepSize() const { return RangeValue(&TAccessibleRange::Step); }

void ControlAccessible::setCurrentValue(const QVariant& value) {
  TControl* control = Control();
  bool isNumber = false;
  const double number = value.toDouble(&isNumber);
  if (!control || !isNumber) return;
  // Event handlers run here: their errors go where those of a key press go.
  GuardedCall([&] { Describer().SetValueAsUser(*control, number); });
}

void ControlAccessible::ReportChanges() {
  if (!Control()) return;
  ReportChangesOf(*this, reported_);
  DescribedGraphicChildren();  // lets go of the children that have gone
  for (const auto& [control, id] : graphicChildren_) {
    if (auto* child = dynamic_cast<GraphicControlAccessible*>(QAccessible::accessibleInterface(id)))
      ReportChangesOf(*child, child->Reported());
  }
}

// ---- GraphicControlAccessible -------------------------------------------------------

GraphicControlAccessible::GraphicControlAccessible(QWidget* parentWidget, TControl* control)
    : parentWidget_(parentWidget), control_(control) {}

TControl* GraphicControlAccessible::Control() const {
  auto* parent = dynamic_cast<TWinControl*>(ControlOf(parentWidget_.data()));
  if (!parent) return nullptr;
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (parent->Controls(i) == control_) return control_;
  return nullptr;
}

QWindow* GraphicControlAccessible::window() const {
  return parentWidget_ ? parentWidget_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* GraphicControlAccessible::parent() const {
  return parentWidget_ ? QAccessible::queryAccessibleInterface(parentWidget_.data()) : nullptr;
}

QString GraphicControlAccessible::text(QAccessible::Text type) const {
  const TControl* control = Control();
  const TAccessibleDescriber* describer = control ? FindAccessibleDescriber(*control) : nullptr;
  if (!describer) return {};
  return DescribedText(*describer, *control, type).value_or(QString());
}

QRect GraphicControlAccessible::rect() const {
  const TControl* control = Control();
  if (!control) return {};
  const TPoint origin = control->ClientToScreen({0, 0});
  return QRect(origin.X, origin.Y, control->Width(), control->Height());
}

QAccessible::Role GraphicControlAccessible::role() const {
  const TControl* control = Control();
  const TAccessibleDescriber* describer = control ? FindAccessibleDescriber(*control) : nullptr;
  return describer ? QtRole(describer->Role(*control)) : QAccessible::NoRole;
}

QAccessible::State GraphicControlAccessible::state() const {
  QAccessible::State state;
  const TControl* control = Control();
  state.invisible = !control || !control->Visible();
  state.disabled = !control || !control->Enabled();
  return state;
}

}  // namespace tintoral
