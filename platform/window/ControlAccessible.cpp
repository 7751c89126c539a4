#include "platform/window/ControlAccessible.h"

#include <QTimer>
#include <algorithm>
#include <optional>
#include <utility>

#include "platform/window/AccessibleDescription.h"
#include "platform/window/AccessibleReadingOrder.h"
#include "platform/window/Application.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/GraphicControl.h"
#include "platform/window/WinControl.h"

namespace tintoral {
namespace {

using Relations = QList<QPair<QAccessibleInterface*, QAccessible::Relation>>;

QAccessible::Role QtRole(TAccessibleRole role) {
  switch (role) {
    case TAccessibleRole::Window: return QAccessible::Window;
    case TAccessibleRole::Dialog: return QAccessible::Dialog;
    case TAccessibleRole::StaticText: return QAccessible::StaticText;
    case TAccessibleRole::Slider: return QAccessible::Slider;
    case TAccessibleRole::PushButton: return QAccessible::PushButton;
    case TAccessibleRole::Graphic: return QAccessible::Graphic;
    case TAccessibleRole::PageTab: return QAccessible::PageTab;
    case TAccessibleRole::EditableText: return QAccessible::EditableText;
    case TAccessibleRole::Client: break;
  }
  return QAccessible::Client;
}

// The name, value or description from the describer (a description only
// when it has one); an empty optional for the other kinds.
std::optional<QString> DescribedText(const TAccessibleDescriber& describer, const TControl& control,
                                     QAccessible::Text type) {
  if (type == QAccessible::Name) return QString::fromStdU16String(AccessibleName(describer, control));
  if (type == QAccessible::Value) return QString::fromStdU16String(describer.Value(control));
  if (type == QAccessible::Description) {
    const std::u16string description = describer.Description(control);
    if (!description.empty()) return QString::fromStdU16String(description);
  }
  return std::nullopt;
}

QString DescribedShownText(const TAccessibleDescriber* describer, const TControl* control) {
  if (!describer || !control) return {};
  return QString::fromStdU16String(describer->ShownText(*control).value_or(std::u16string()));
}

bool ShowsText(const TAccessibleDescriber* describer, const TControl* control) {
  return describer && control && describer->ShownText(*control).has_value();
}

bool Pressable(const TAccessibleDescriber* describer, const TControl* control) {
  return describer && control && describer->Pressable(*control);
}

// A graphic control with a describer, unless it is a text that shows nothing.
bool ShowsSomething(const TControl& control) {
  const TAccessibleDescriber* describer = FindAccessibleDescriber(control);
  if (!describer) return false;
  return describer->Role(control) != TAccessibleRole::StaticText || !AccessibleName(*describer, control).empty();
}

TControl* ControlOf(QWidget* widget) {
  auto* controlWidget = dynamic_cast<ControlWidget*>(widget);
  return controlWidget ? controlWidget->Control() : nullptr;
}

// `child` while it is still a graphic child of the widget's control, else nullptr.
TControl* StillChildOf(QWidget* parentWidget, TControl* child) {
  auto* parent = dynamic_cast<TWinControl*>(ControlOf(parentWidget));
  if (!parent) return nullptr;
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (parent->Controls(i) == child) return child;
  return nullptr;
}

// Presses the control that `find` still finds, once the event loop is back:
// the call that asked may be a request from assistive technology, which
// waits for its answer while a modal window the press opens is up. Nothing
// happens when `context` has gone by then.
template <class Find>
void PressLater(QObject* context, Find find) {
  QTimer::singleShot(0, context, [find] {
    TControl* control = find();
    const TAccessibleDescriber* describer = control ? FindAccessibleDescriber(*control) : nullptr;
    // Event handlers run here: their errors go where those of a click go.
    if (Pressable(describer, control)) GuardedCall([&] { describer->PressAsUser(*control); });
  });
}

// Label for the caption that names the control, Labelled for the controls
// the control names as a caption.
Relations CaptionRelations(const TControl& control, QAccessible::Relation match) {
  Relations relations;
  if (match.testFlag(QAccessible::Label)) {
    const TControl* caption = AccessibleCaptionOf(control);
    if (QAccessibleInterface* found = caption ? AccessibleInterfaceOf(*caption) : nullptr)
      relations.append({found, QAccessible::Label});
  }
  if (match.testFlag(QAccessible::Labelled)) {
    for (const TControl* named : ControlsCaptionedBy(control))
      if (QAccessibleInterface* found = AccessibleInterfaceOf(*named)) relations.append({found, QAccessible::Labelled});
  }
  return relations;
}

AccessibleEventSink eventSink = nullptr;

void Deliver(QAccessibleEvent& event) {
  if (eventSink) eventSink(&event);
  else QAccessible::updateAccessibility(&event);
}

ReportedState CurrentState(QAccessibleInterface& accessible) {
  QAccessibleValueInterface* valueInterface = accessible.valueInterface();
  return {accessible.text(QAccessible::Name), valueInterface ? valueInterface->currentValue() : QVariant()};
}

void ReportChangesOf(QAccessibleInterface& accessible, ReportedState& last) {
  const ReportedState now = CurrentState(accessible);
  if (now.name != last.name) {
    QAccessibleEvent event(&accessible, QAccessible::NameChanged);
    Deliver(event);
  }
  if (now.value.isValid() && now.value != last.value) {
    QAccessibleValueChangeEvent event(&accessible, now.value);
    Deliver(event);
  }
  last = now;
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

QAccessibleInterface* AccessibleInterfaceOf(const TControl& control) {
  if (const auto* windowed = dynamic_cast<const TWinControl*>(&control))
    return windowed->Widget() ? QAccessible::queryAccessibleInterface(windowed->Widget()) : nullptr;
  const TWinControl* parent = control.Parent();
  auto* parentAccessible =
      parent && parent->Widget()
          ? dynamic_cast<ControlAccessible*>(QAccessible::queryAccessibleInterface(parent->Widget()))
          : nullptr;
  return parentAccessible ? parentAccessible->GraphicChildInterface(const_cast<TControl*>(&control)) : nullptr;
}

// ---- ControlAccessible ------------------------------------------------------------

ControlAccessible::ControlAccessible(ControlWidget* widget) : QAccessibleWidget(widget) {
  reported_ = CurrentState(*this);
}

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

// Focusable when Tab reaches the control; the default state for the button
// that Enter presses.
QAccessible::State ControlAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  const auto* control = dynamic_cast<const TWinControl*>(Control());
  if (!control) return state;
  state.focusable = control->Parent() && control->TabStop();
  state.defaultButton = Describer().IsDefault(*control);
  return state;
}

QString ControlAccessible::text(QAccessible::Text type) const {
  const TControl* control = Control();
  if (control) {
    if (std::optional<QString> text = DescribedText(Describer(), *control, type)) return *text;
  }
  return QAccessibleWidget::text(type);
}

Relations ControlAccessible::relations(QAccessible::Relation match) const {
  Relations relations = QAccessibleWidget::relations(match);
  if (const TControl* control = Control()) relations += CaptionRelations(*control, match);
  return relations;
}

void* ControlAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::ValueInterface && Range()) return static_cast<QAccessibleValueInterface*>(this);
  if (type == QAccessible::TextInterface && ShowsText(&Describer(), Control()))
    return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QString ControlAccessible::ShownText() const { return DescribedShownText(&Describer(), Control()); }

// The graphic children with a describer, in z-order; the interfaces of
// children that have gone are deleted on the way.
std::vector<TControl*> ControlAccessible::DescribedGraphicChildren() const {
  std::vector<TControl*> children;
  if (auto* parent = dynamic_cast<TWinControl*>(Control())) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      TControl* child = parent->Controls(i);
      if (dynamic_cast<TGraphicControl*>(child) && ShowsSomething(*child)) children.push_back(child);
    }
  }
  std::erase_if(graphicChildren_, [&](const auto& entry) {
    if (std::find(children.begin(), children.end(), entry.first) != children.end()) return false;
    QAccessible::deleteAccessibleInterface(entry.second);
    return true;
  });
  return children;
}

QAccessibleInterface* ControlAccessible::GraphicChildInterface(TControl* child) const {
  auto found = graphicChildren_.find(child);
  if (found == graphicChildren_.end()) {
    auto* created = new GraphicControlAccessible(widget(), child);
    found = graphicChildren_.emplace(child, QAccessible::registerAccessibleInterface(created)).first;
  }
  return QAccessible::accessibleInterface(found->second);
}

std::vector<QAccessibleInterface*> ControlAccessible::Children() const {
  std::vector<QAccessibleInterface*> children;
  for (int i = 0; i < QAccessibleWidget::childCount(); ++i)
    if (QAccessibleInterface* child = QAccessibleWidget::child(i)) children.push_back(child);
  for (TControl* graphic : DescribedGraphicChildren()) children.push_back(GraphicChildInterface(graphic));
  std::vector<TRect> boxes;
  for (const QAccessibleInterface* child : children) {
    const QRect box = child->rect();
    boxes.push_back({box.left(), box.top(), box.left() + box.width(), box.top() + box.height()});
  }
  std::vector<QAccessibleInterface*> ordered;
  for (const std::size_t index : ReadingOrder(boxes)) ordered.push_back(children[index]);
  return ordered;
}

int ControlAccessible::childCount() const { return static_cast<int>(Children().size()); }

QAccessibleInterface* ControlAccessible::child(int index) const {
  const std::vector<QAccessibleInterface*> children = Children();
  return index >= 0 && index < static_cast<int>(children.size()) ? children[static_cast<std::size_t>(index)] : nullptr;
}

int ControlAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const std::vector<QAccessibleInterface*> children = Children();
  const auto found = std::find(children.begin(), children.end(), child);
  return found == children.end() ? -1 : static_cast<int>(found - children.begin());
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

QStringList ControlAccessible::actionNames() const {
  QStringList names = QAccessibleWidget::actionNames();
  if (Pressable(&Describer(), Control())) names.prepend(QAccessibleActionInterface::pressAction());
  return names;
}

void ControlAccessible::doAction(const QString& actionName) {
  if (actionName != QAccessibleActionInterface::pressAction()) return QAccessibleWidget::doAction(actionName);
  QWidget* target = widget();
  PressLater(target, [target] { return ControlOf(target); });
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
    : parentWidget_(parentWidget), control_(control) {
  reported_ = CurrentState(*this);
}

TControl* GraphicControlAccessible::Control() const { return StillChildOf(parentWidget_.data(), control_); }

const TAccessibleDescriber* GraphicControlAccessible::Describer() const {
  const TControl* control = Control();
  return control ? FindAccessibleDescriber(*control) : nullptr;
}

QWindow* GraphicControlAccessible::window() const {
  return parentWidget_ ? parentWidget_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* GraphicControlAccessible::parent() const {
  return parentWidget_ ? QAccessible::queryAccessibleInterface(parentWidget_.data()) : nullptr;
}

QString GraphicControlAccessible::text(QAccessible::Text type) const {
  const TAccessibleDescriber* describer = Describer();
  if (!describer) return {};
  return DescribedText(*describer, *Control(), type).value_or(QString());
}

QRect GraphicControlAccessible::rect() const {
  const TControl* control = Control();
  if (!control) return {};
  const TPoint origin = control->ClientToScreen({0, 0});
  return QRect(origin.X, origin.Y, control->Width(), control->Height());
}

QAccessible::Role GraphicControlAccessible::role() const {
  const TAccessibleDescriber* describer = Describer();
  return describer ? QtRole(describer->Role(*Control())) : QAccessible::NoRole;
}

QAccessible::State GraphicControlAccessible::state() const {
  QAccessible::State state;
  const TControl* control = Control();
  state.invisible = !control || !control->Visible();
  state.disabled = !control || !control->Enabled();
  return state;
}

Relations GraphicControlAccessible::relations(QAccessible::Relation match) const {
  const TControl* control = Control();
  return control ? CaptionRelations(*control, match) : Relations();
}

void* GraphicControlAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::ActionInterface && Pressable(Describer(), Control()))
    return static_cast<QAccessibleActionInterface*>(this);
  if (type == QAccessible::TextInterface && ShowsText(Describer(), Control()))
    return static_cast<QAccessibleTextInterface*>(this);
  return nullptr;
}

QString GraphicControlAccessible::ShownText() const { return DescribedShownText(Describer(), Control()); }

QStringList GraphicControlAccessible::actionNames() const {
  return Pressable(Describer(), Control()) ? QStringList{QAccessibleActionInterface::pressAction()} : QStringList();
}

void GraphicControlAccessible::doAction(const QString& actionName) {
  if (actionName != QAccessibleActionInterface::pressAction() || !parentWidget_) return;
  QWidget* parentWidget = parentWidget_.data();
  PressLater(parentWidget, [parentWidget, control = control_] { return StillChildOf(parentWidget, control); });
}

}  // namespace tintoral
