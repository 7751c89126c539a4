#include "tools/paneldesigner/DesignDocument.h"

#include <algorithm>

#include "platform/window/Control.h"
#include "platform/window/Form.h"
#include "platform/window/WinControl.h"
#include "runtime/ClassRegistry.h"
#include "runtime/Exception.h"
#include "runtime/FormWriter.h"
#include "runtime/Identifiers.h"
#include "runtime/PropertyInfo.h"
#include "system/AtomicFile.h"
#include "tools/formshot/PropertyAssignment.h"
#include "tools/paneldesigner/DesignContainers.h"
#include "tools/paneldesigner/FormStringCheck.h"
#include "tools/paneldesigner/FormTextMerge.h"
#include "tools/paneldesigner/FormTextOutline.h"

namespace tintoral {
namespace {

// How far a pasted copy lands from its original.
constexpr int kPasteOffset = 8;

std::string WithoutTrailingDigits(const std::string& name) {
  const std::size_t end = name.find_last_not_of("0123456789");
  return end == std::string::npos ? name : name.substr(0, end + 1);
}

bool Contains(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SameText(n, name); });
}

// Sets AutoSize off and on again, so that a control that sizes itself
// takes the size it shows.
void ApplyAutoSize(TControl& control) {
  const TPropertyInfo* autoSize = control.ClassType().FindProperty("AutoSize");
  if (!autoSize || autoSize->Kind() != tkEnumeration || !autoSize->HasSetter() || !autoSize->GetOrdinal(control))
    return;
  autoSize->SetOrdinal(control, 0);
  autoSize->SetOrdinal(control, 1);
}

}  // namespace

TDesignDocument::TDesignDocument(std::string_view text, std::string path) : path_(std::move(path)) {
  ReadText(text);
  savedText_ = text_;
}

TDesignDocument::~TDesignDocument() = default;

std::unique_ptr<TDesignDocument> TDesignDocument::Open(const std::string& path) {
  const std::string text = ReadTextFile(path);
  try {
    return std::make_unique<TDesignDocument>(text, path);
  } catch (const StreamError& error) {
    throw StreamError(WithFileName(path, error.Message()));
  }
}

std::unique_ptr<TDesignDocument> TDesignDocument::NewForm() {
  TForm form(nullptr);
  form.SetName("Form1");
  form.SetCaption("Form1");
  form.SetClientSize(480, 320);
  auto document = std::make_unique<TDesignDocument>(WriteComponentText(form));
  document->savedText_.clear();  // never saved: closing asks
  return document;
}

void TDesignDocument::ReadText(std::string_view source) {
  std::string text(source);  // the source may be text_ itself
  TLoadedForm loaded = LoadFormAsWritten(text);
  auto* root = dynamic_cast<TControl*>(&loaded.Root());
  if (!root) throw InvalidOperation("The root '" + loaded.Root().Name() + "' is not a control");
  root->SetDesigning(true);
  std::string written = WriteComponentText(*root);
  form_.reset();
  form_.emplace(std::move(loaded));
  root_ = root;
  text_ = std::move(text);
  written_ = std::move(written);
}

void TDesignDocument::SaveAs(const std::string& path) {
  SaveFileAtomically(path, text_);
  path_ = path;
  savedText_ = text_;
}

// ---- Selection ------------------------------------------------------------------

TControl* TDesignDocument::FindControl(std::string_view name) const {
  if (SameText(name, root_->Name())) return root_;
  return dynamic_cast<TControl*>(root_->FindComponent(name));
}

std::vector<TControl*> TDesignDocument::SelectedControls() const {
  std::vector<TControl*> controls;
  for (const std::string& name : selection_)
    if (TControl* control = FindControl(name); control && control != root_) controls.push_back(control);
  return controls;
}

bool TDesignDocument::IsSelected(const TControl& control) const {
  return &control != root_ && Contains(selection_, control.Name());
}

void TDesignDocument::Select(const std::vector<std::string>& names) {
  selection_.clear();
  for (const std::string& name : names) {
    const TControl* control = FindControl(name);
    if (control && control != root_ && !Contains(selection_, name)) selection_.push_back(control->Name());
  }
}

void TDesignDocument::SelectControl(TControl* control) {
  Select(control && control != root_ ? std::vector<std::string>{control->Name()} : std::vector<std::string>{});
}

void TDesignDocument::ToggleSelected(TControl& control) {
  if (&control == root_) return;
  if (IsSelected(control)) {
    std::erase_if(selection_, [&](const std::string& n) { return SameText(n, control.Name()); });
  } else {
    selection_.push_back(control.Name());
  }
}

void TDesignDocument::SelectNeighbour(bool forward, bool extend) {
  std::vector<TControl*> controls;
  for (int i = 0; i < root_->ComponentCount(); ++i)
    if (auto* control = dynamic_cast<TControl*>(root_->Components(i))) controls.push_back(control);
  if (controls.empty()) return;
  const std::vector<TControl*> selected = SelectedControls();
  const auto last = selected.empty() ? controls.end() : std::find(controls.begin(), controls.end(), selected.back());
  const std::ptrdiff_t count = static_cast<std::ptrdiff_t>(controls.size());
  std::ptrdiff_t at = last == controls.end() ? (forward ? -1 : count) : last - controls.begin();
  for (std::ptrdiff_t step = 0; step < count; ++step) {
    at = ((forward ? at + 1 : at - 1) % count + count) % count;
    TControl* next = controls[static_cast<std::size_t>(at)];
    if (!extend) return SelectControl(next);
    if (IsSelected(*next)) continue;
    selection_.push_back(next->Name());
    return;
  }
}

TRect TDesignDocument::BoundsInRoot(const TControl& control) const {
  if (&control == root_) return TRect{0, 0, root_->ClientWidth(), root_->ClientHeight()};
  const TPoint origin = control.Parent()->ClientOriginIn(nullptr);
  TRect bounds = control.BoundsRect();
  return TRect{bounds.Left + origin.X, bounds.Top + origin.Y, bounds.Right + origin.X, bounds.Bottom + origin.Y};
}

TControl& TDesignDocument::ControlAt(TPoint point) const {
  TControl* found = root_;
  for (auto* container = dynamic_cast<TWinControl*>(root_); container;) {
    const TPoint origin = container->ClientOriginIn(nullptr);
    TControl* child = container->ControlAtPos({point.X - origin.X, point.Y - origin.Y}, true, true);
    if (!child) break;
    found = child;
    container = dynamic_cast<TWinControl*>(child);
  }
  return *found;
}

TWinControl& TDesignDocument::ContainerAt(TPoint point) const {
  auto* found = dynamic_cast<TWinControl*>(root_);
  for (bool deeper = found != nullptr; deeper;) {
    deeper = false;
    for (int i = found->ControlCount() - 1; i >= 0; --i) {
      auto* child = dynamic_cast<TWinControl*>(found->Controls(i));
      if (!child || !child->Visible() || IsSelected(*child) || !IsContainer(*child)) continue;
      const TRect r = BoundsInRoot(*child);
      if (point.X < r.Left || point.X >= r.Right || point.Y < r.Top || point.Y >= r.Bottom) continue;
      found = child;
      deeper = true;
      break;
    }
  }
  if (!found) throw InvalidOperation("The form's root holds no controls");
  return *found;
}

std::vector<TControl*> TDesignDocument::ControlsInside(const TRect& area) const {
  std::vector<TControl*> inside;
  const std::function<void(const TWinControl&)> visit = [&](const TWinControl& container) {
    for (int i = 0; i < container.ControlCount(); ++i) {
      TControl* child = container.Controls(i);
      if (!child->Visible()) continue;
      const TRect r = BoundsInRoot(*child);
      if (r.Left >= area.Left && r.Top >= area.Top && r.Right <= area.Right && r.Bottom <= area.Bottom)
        inside.push_back(child);
      else if (const auto* windowed = dynamic_cast<const TWinControl*>(child)) visit(*windowed);
    }
  };
  if (const auto* top = dynamic_cast<const TWinControl*>(root_)) visit(*top);
  return inside;
}

// The selected names whose controls have no selected ancestor, in the order
// the form holds them.
std::vector<std::string> TDesignDocument::TopSelectedNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < root_->ComponentCount(); ++i) {
    auto* control = dynamic_cast<TControl*>(root_->Components(i));
    if (!control || !IsSelected(*control)) continue;
    bool ancestorSelected = false;
    for (const TControl* p = control->Parent(); p && p != root_; p = p->Parent()) ancestorSelected |= IsSelected(*p);
    if (!ancestorSelected) names.push_back(control->Name());
  }
  return names;
}

// ---- Steps ------------------------------------------------------------------------

bool TDesignDocument::Commit() {
  std::string written = WriteComponentText(*root_);
  if (written == written_) return false;
  std::string text = MergeFormText(text_, written_, written);
  undo_.push_back({std::move(text_), selection_});
  redo_.clear();
  text_ = std::move(text);
  written_ = std::move(written);
  return true;
}

void TDesignDocument::Reread(const std::string& text, const std::vector<std::string>& selection) {
  ReadText(text);
  Select(selection);
  if (onReread_) onReread_();
}

void TDesignDocument::CommitText(const std::string& text, const std::vector<std::string>& selection) {
  TStep before{text_, selection_};
  const std::string writtenBefore = written_;
  Reread(text, selection);
  if (written_ == writtenBefore) {
    text_ = before.text;
    return;
  }
  undo_.push_back(std::move(before));
  redo_.clear();
}

void TDesignDocument::Undo() {
  if (undo_.empty()) return;
  TStep step = std::move(undo_.back());
  undo_.pop_back();
  redo_.push_back({text_, selection_});
  Reread(step.text, step.selection);
}

void TDesignDocument::Redo() {
  if (redo_.empty()) return;
  TStep step = std::move(redo_.back());
  redo_.pop_back();
  undo_.push_back({text_, selection_});
  Reread(step.text, step.selection);
}

// ---- Arranging ----------------------------------------------------------------------

void TDesignDocument::SetBoundsLive(TControl& control, const TRect& bounds) { control.SetBoundsRect(bounds); }

void TDesignDocument::MoveSelection(int dx, int dy) {
  for (TControl* c : SelectedControls()) c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  Commit();
}

void TDesignDocument::ResizeSelection(int dWidth, int dHeight) {
  for (TControl* c : SelectedControls())
    c->SetBounds(c->Left(), c->Top(), std::max(0, c->Width() + dWidth), std::max(0, c->Height() + dHeight));
  Commit();
}

void TDesignDocument::AlignSelection(TAlignEdge edge) {
  const std::vector<TControl*> controls = SelectedControls();
  if (controls.size() < 2) return;
  const TRect anchor = BoundsInRoot(*controls.front());
  for (std::size_t i = 1; i < controls.size(); ++i) {
    TControl& c = *controls[i];
    const TRect r = BoundsInRoot(c);
    int dx = 0, dy = 0;
    switch (edge) {
      case TAlignEdge::Lefts: dx = anchor.Left - r.Left; break;
      case TAlignEdge::Rights: dx = anchor.Right - r.Right; break;
      case TAlignEdge::Tops: dy = anchor.Top - r.Top; break;
      case TAlignEdge::Bottoms: dy = anchor.Bottom - r.Bottom; break;
      case TAlignEdge::HorizontalCentres: dx = (anchor.Left + anchor.Right) / 2 - (r.Left + r.Right) / 2; break;
      case TAlignEdge::VerticalCentres: dy = (anchor.Top + anchor.Bottom) / 2 - (r.Top + r.Bottom) / 2; break;
    }
    c.SetBounds(c.Left() + dx, c.Top() + dy, c.Width(), c.Height());
  }
  Commit();
}

void TDesignDocument::MakeSameSize(TSameSize which) {
  const std::vector<TControl*> controls = SelectedControls();
  if (controls.size() < 2) return;
  const TControl& anchor = *controls.front();
  for (std::size_t i = 1; i < controls.size(); ++i) {
    TControl& c = *controls[i];
    const int width = which == TSameSize::Height ? c.Width() : anchor.Width();
    const int height = which == TSameSize::Width ? c.Height() : anchor.Height();
    c.SetBounds(c.Left(), c.Top(), width, height);
  }
  Commit();
}

void TDesignDocument::SizeSelectionToContent() {
  for (TControl* c : SelectedControls()) ApplyAutoSize(*c);
  Commit();
}

// Moves each top selected block to the top of its parent's children or to
// the bottom, on the text, keeping the selection's order among them.
void TDesignDocument::MoveSelectionInZOrder(bool toBack) {
  std::string text = text_;
  std::vector<std::string> names = TopSelectedNames();
  if (toBack) std::reverse(names.begin(), names.end());  // the first ends at the very bottom
  for (const std::string& name : names) {
    const TFormTextOutline outline(text);
    const int block = outline.Find(name);
    const int parent = outline.Blocks()[static_cast<std::size_t>(block)].parent;
    text = TFormTextOutline(outline.Without({block})).WithInserted(parent, outline.BlockText(block), toBack);
  }
  CommitText(text, selection_);
}

void TDesignDocument::BringSelectionToFront() { MoveSelectionInZOrder(false); }

void TDesignDocument::SendSelectionToBack() { MoveSelectionInZOrder(true); }

void TDesignDocument::DeleteSelection() {
  for (const std::string& name : TopSelectedNames()) delete FindControl(name);
  Commit();  // the step keeps the selection, for undo
  selection_.clear();
}

void TDesignDocument::MoveSelectionInto(TWinControl& parent) {
  for (const std::string& name : TopSelectedNames()) {
    TControl& control = *FindControl(name);
    const auto* windowed = dynamic_cast<const TWinControl*>(&control);
    if (control.Parent() == &parent || (windowed && windowed->ContainsControl(&parent))) continue;
    if (!AcceptsChild(parent, control.ClassType()))
      throw InvalidOperation("A " + parent.ClassName() + " cannot hold a " + control.ClassName());
    const TRect shown = BoundsInRoot(control);
    const TPoint origin = parent.ClientOriginIn(nullptr);
    control.SetParentComponent(&parent);
    control.SetBounds(shown.Left - origin.X, shown.Top - origin.Y, control.Width(), control.Height());
  }
  Commit();
}

std::string TDesignDocument::FreeName(const std::string& wanted, const std::vector<std::string>& taken) const {
  const auto isFree = [&](const std::string& name) {
    return !FindControl(name) && !root_->FindComponent(name) && !Contains(taken, name);
  };
  if (isFree(wanted)) return wanted;
  const std::string stem = WithoutTrailingDigits(wanted);
  for (int n = 1;; ++n)
    if (std::string name = stem + std::to_string(n); isFree(name)) return name;
}

TControl& TDesignDocument::AddControl(const std::string& className, TWinControl& parent, const TRect& bounds) {
  const TClassInfo* info = FindComponentClass(className);
  if (!info) throw InvalidOperation("Class " + className + " not found");
  if (!AcceptsChild(parent, *info)) throw InvalidOperation("A " + parent.ClassName() + " cannot hold a " + className);
  std::unique_ptr<TComponent> component(CreateComponent(className, nullptr));
  auto* control = dynamic_cast<TControl*>(component.get());
  if (!control) throw InvalidOperation("Class " + className + " is not a control");
  const std::string stem = className.size() > 1 && className[0] == 'T' ? className.substr(1) : className;
  control->SetName(FreeName(stem + "1", {}));
  root_->InsertComponent(component.release());
  control->SetDesigning(true);
  control->SetParentComponent(&parent);
  control->SetBoundsRect(bounds);
  const TPropertyInfo* caption = info->FindProperty("Caption");
  if (caption && IsStringKind(caption->Kind()) && caption->HasSetter() && caption->GetString(*control).empty())
    caption->SetString(*control, control->Name());
  ApplyAutoSize(*control);
  selection_ = {control->Name()};
  Commit();
  return *control;
}

std::string TDesignDocument::SetProperty(const std::string& component, const std::string& path,
                                         const std::string& value) {
  return SetProperties(component, {{path, value}});
}

std::string TDesignDocument::SetProperties(const std::string& component,
                                           const std::vector<std::pair<std::string, std::string>>& pathsAndValues) {
  for (const auto& [path, value] : pathsAndValues)
    if (std::optional<std::string> problem = FormStringProblem(value)) return *problem;
  TControl* target = FindControl(component);
  const std::string oldName = target ? target->Name() : "";
  try {
    for (const auto& [path, value] : pathsAndValues) ApplyPropertyAssignment(*root_, {component + "." + path, value});
  } catch (const Exception& error) {
    Reread(text_, selection_);  // the old values, whatever the setters did before the refusal
    return error.Message();
  }
  if (target && target != root_ && !SameText(target->Name(), oldName))
    for (std::string& name : selection_)
      if (SameText(name, oldName)) name = target->Name();
  Commit();
  return "";
}

// ---- Clipboard ------------------------------------------------------------------------

std::string TDesignDocument::CopySelection() const {
  const TFormTextOutline outline(text_);
  std::string text;
  for (const std::string& name : TopSelectedNames()) text += outline.BlockText(outline.Find(name));
  return text;
}

void TDesignDocument::CutSelection() { DeleteSelection(); }

void TDesignDocument::Paste(std::string_view text, TWinControl& parent) {
  const std::vector<std::string> names = ObjectNamesInText(text);
  if (names.empty()) throw StreamError("Line 1: 'object' expected: the clipboard holds no form text");
  std::vector<std::string> taken;
  std::vector<std::string> pasted;
  std::vector<std::string> shifted;  // copies whose original is still in the form
  const std::string renamed = RenameObjectsInText(text, [&](const std::string& name) {
    std::string free = FreeName(name, taken);
    if (!SameText(free, name)) shifted.push_back(free);
    taken.push_back(free);
    return free;
  });
  const TFormTextOutline pastedOutline(renamed);
  for (const TFormBlock& block : pastedOutline.Blocks()) {
    if (block.parent >= 0) continue;
    const TClassInfo* info = FindComponentClass(block.className);
    if (info && !AcceptsChild(parent, *info))
      throw InvalidOperation("A " + parent.ClassName() + " cannot hold a " + block.className);
    pasted.push_back(block.name);
  }
  const TFormTextOutline outline(text_);
  const int parentBlock = &parent == root_ ? 0 : outline.Find(parent.Name());
  if (parentBlock < 0) throw InvalidOperation("No container to paste into");
  CommitText(outline.WithInserted(parentBlock, renamed, false), pasted);
  for (TControl* c : SelectedControls())
    if (Contains(shifted, c->Name()))
      c->SetBounds(c->Left() + kPasteOffset, c->Top() + kPasteOffset, c->Width(), c->Height());
  // The offsets belong to the paste's step.
  std::string written = WriteComponentText(*root_);
  text_ = MergeFormText(text_, written_, written);
  written_ = std::move(written);
}

}  // namespace tintoral
