#include "tools/paneldesigner/DesignCanvasAccessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <map>
#include <string>
#include <vector>

#include "platform/window/Control.h"
#include "tools/paneldesigner/DesignCanvas.h"
#include "tools/paneldesigner/DesignDocument.h"
#include "tools/paneldesigner/QtText.h"

namespace tintoral {
namespace {

// The form's controls (the root left out) in the order of the file.
std::vector<TControl*> ControlsOf(const DesignCanvas* canvas) {
  std::vector<TControl*> controls;
  const TDesignDocument* document = canvas ? canvas->Document() : nullptr;
  if (!document) return controls;
  TComponent& root = document->Root();
  for (int i = 0; i < root.ComponentCount(); ++i)
    if (auto* control = dynamic_cast<TControl*>(root.Components(i))) controls.push_back(control);
  return controls;
}

class CanvasItemAccessible : public QAccessibleInterface {
 public:
  CanvasItemAccessible(DesignCanvas* canvas, std::string name) : canvas_(canvas), name_(std::move(name)) {}

  bool isValid() const override { return Control() != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return canvas_ ? canvas_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(canvas_.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return QAccessible::Graphic; }

  QString text(QAccessible::Text type) const override {
    const TControl* control = Control();
    if (!control) return {};
    if (type == QAccessible::Name) return Q(control->Name() + " (" + control->ClassName() + ")");
    if (type != QAccessible::Description) return {};
    const TRect r = canvas_->Document()->BoundsInRoot(*control);
    return QString("at %1, %2, %3 x %4").arg(r.Left).arg(r.Top).arg(r.Width()).arg(r.Height());
  }
  QRect rect() const override {
    const TControl* control = Control();
    if (!control) return {};
    const TRect r = canvas_->Document()->BoundsInRoot(*control);
    return {canvas_->mapToGlobal(QPoint(r.Left, r.Top)), QSize(r.Width(), r.Height())};
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.selectable = true;
    const TControl* control = Control();
    state.selected = control && canvas_->Document()->IsSelected(*control);
    state.invisible = !control;
    return state;
  }

 private:
  TControl* Control() const {
    const TDesignDocument* document = canvas_ ? canvas_->Document() : nullptr;
    return document ? document->FindControl(name_) : nullptr;
  }

  QPointer<DesignCanvas> canvas_;
  std::string name_;
};

class CanvasAccessible : public QAccessibleWidget {
 public:
  explicit CanvasAccessible(DesignCanvas* canvas) : QAccessibleWidget(canvas, QAccessible::Canvas) {}
  ~CanvasAccessible() override {
    for (const auto& [name, id] : items_) QAccessible::deleteAccessibleInterface(id);
  }

  QString text(QAccessible::Text type) const override {
    const TDesignDocument* document = Canvas()->Document();
    if (type == QAccessible::Name) return document ? Q("Form " + document->Root().Name()) : "Form";
    return QAccessibleWidget::text(type);
  }
  int childCount() const override { return static_cast<int>(ControlsOf(Canvas()).size()); }
  QAccessibleInterface* child(int index) const override {
    const std::vector<TControl*> controls = ControlsOf(Canvas());
    if (index < 0 || index >= static_cast<int>(controls.size())) return nullptr;
    return ItemFor(controls[static_cast<std::size_t>(index)]->Name());
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (int i = 0; i < childCount(); ++i)
      if (this->child(i) == child) return i;
    return -1;
  }

 private:
  DesignCanvas* Canvas() const { return static_cast<DesignCanvas*>(widget()); }
  // One interface per control name, kept (and registered) for the canvas's life.
  QAccessibleInterface* ItemFor(const std::string& name) const {
    auto found = items_.find(name);
    if (found == items_.end())
      found = items_.emplace(name, QAccessible::registerAccessibleInterface(new CanvasItemAccessible(Canvas(), name)))
                  .first;
    return QAccessible::accessibleInterface(found->second);
  }

  mutable std::map<std::string, QAccessible::Id> items_;
};

QAccessibleInterface* CanvasFactory(const QString&, QObject* object) {
  auto* canvas = dynamic_cast<DesignCanvas*>(object);
  return canvas ? new CanvasAccessible(canvas) : nullptr;
}

}  // namespace

void InstallDesignCanvasAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&CanvasFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace tintoral
