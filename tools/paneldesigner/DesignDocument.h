#pragma once
// The form being designed: the component tree read from a form text, the
// selection, and every change as a command that can be undone and redone
// without limit while the form is open.
//
// The document's state is its form text: the file's own text, changed
// only where a command changed something (FormTextMerge.h), so that a form
// saved untouched keeps its bytes and an edit changes only its own lines.
// Each command changes the components and then records the text before and
// after it; undo and redo read the recorded text back. Bounds and properties are
// changed on the live components; changes of structure (paste, delete,
// z-order) are made on the text and read back, so the form reader checks
// them and events stay bound by name. Components are read as written: no
// program form's handlers run, and every component is in its designing
// state, so data-link items do not connect.
//
// The selection is held by component names, so it survives a reread. The
// root stands for "nothing selected" and is never part of the selection.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "tools/formshot/FormLoading.h"

namespace tintoral {

class TControl;
class TWinControl;

enum class TAlignEdge { Lefts, Rights, Tops, Bottoms, HorizontalCentres, VerticalCentres };
enum class TSameSize { Width, Height, Both };

class TDesignDocument {
 public:
  // Raises StreamError (with the line) for a text that does not read, and
  // InvalidOperation when its root is not a control.
  explicit TDesignDocument(std::string_view text, std::string path = "");
  ~TDesignDocument();
  TDesignDocument(const TDesignDocument&) = delete;
  TDesignDocument& operator=(const TDesignDocument&) = delete;

  // A file's form; errors name the file and the line ("F.txt:11: ...").
  static std::unique_ptr<TDesignDocument> Open(const std::string& path);
  // A new, empty form.
  static std::unique_ptr<TDesignDocument> NewForm();

  TControl& Root() const { return *root_; }
  // Called after the components were read anew (undo, redo, paste,
  // delete, z-order): references to the old ones are gone.
  void SetOnReread(std::function<void()> handler) { onReread_ = std::move(handler); }

  const std::string& Path() const { return path_; }
  // The form text of the current state, and the same state as the form
  // writer writes it.
  const std::string& Text() const { return text_; }
  const std::string& WrittenText() const { return written_; }
  bool IsModified() const { return text_ != savedText_; }
  // The text as last read from or written to the file.
  const std::string& SavedText() const { return savedText_; }
  // Writes Text() to the path (SaveFileAtomically) and marks it saved;
  // AtomicSaveError when it cannot, the file then as it was.
  void SaveAs(const std::string& path);

  // ---- Selection ----------------------------------------------------------
  const std::vector<std::string>& Selection() const { return selection_; }
  // The selected controls in selection order; the first is the anchor of
  // alignment and same size.
  std::vector<TControl*> SelectedControls() const;
  bool IsSelected(const TControl& control) const;
  void Select(const std::vector<std::string>& names);
  void SelectControl(TControl* control);  // nullptr or the root: nothing
  void ToggleSelected(TControl& control);
  // Keyboard selection through the form's controls in creation order (the
  // order of the file), wrapping around: the control after (or before) the
  // last one selected becomes the selection, or with `extend` joins it (the
  // nearest one not selected yet).
  void SelectNeighbour(bool forward, bool extend);
  // The control with that name, the root included; nullptr when none.
  TControl* FindControl(std::string_view name) const;
  // The deepest visible control at a point of the root's client area (the
  // root when no other).
  TControl& ControlAt(TPoint point) const;
  // The deepest container at a point that is neither selected nor inside
  // the selection: where a drop lands (the root when no other).
  TWinControl& ContainerAt(TPoint point) const;
  // A control's bounds in the root's client coordinates.
  TRect BoundsInRoot(const TControl& control) const;
  // The visible controls whose bounds in the root lie wholly inside `area`,
  // topmost parents only.
  std::vector<TControl*> ControlsInside(const TRect& area) const;

  // ---- Commands: each is one undo step -----------------------------------
  // Bounds change live (a drag) and are recorded by Commit(): one step for
  // the whole gesture. Commit returns false when nothing changed.
  void SetBoundsLive(TControl& control, const TRect& bounds);
  bool Commit();
  void MoveSelection(int dx, int dy);
  void ResizeSelection(int dWidth, int dHeight);
  void AlignSelection(TAlignEdge edge);
  void MakeSameSize(TSameSize which);
  // Controls that size themselves (AutoSize set) take the size they show:
  // one stored by hand ("Tank 1 monitor" in a label 28 pixels wide) is not
  // changed when the form is read.
  void SizeSelectionToContent();
  void BringSelectionToFront();
  void SendSelectionToBack();
  void DeleteSelection();
  // Moves the selection into `parent` (a container), keeping where each
  // control shows; refuses a parent inside the selection. Raises
  // InvalidOperation when `parent` cannot hold controls.
  void MoveSelectionInto(TWinControl& parent);
  // A new control of the registered class, named after it ("iSlider1"),
  // with a caption of its name when it has an empty one (an auto-sized
  // label then takes the size it shows), selected.
  TControl& AddControl(const std::string& className, TWinControl& parent, const TRect& bounds);
  // Sets a property of a component (of the root when `component` is its
  // name) from its text as ApplyPropertyAssignment reads it (UTF-8 for
  // strings, "." for floats). Returns "" on success, else the reason (the
  // setter's message, or a character a form string cannot hold); the old
  // value stays.
  std::string SetProperty(const std::string& component, const std::string& path, const std::string& value);
  // Several properties of one component (a font's name, size and style) as
  // one undo step; on the first refusal every old value stays and its
  // reason is returned.
  std::string SetProperties(const std::string& component,
                            const std::vector<std::pair<std::string, std::string>>& pathsAndValues);

  // ---- Clipboard ----------------------------------------------------------
  // The selected components (with what they contain) as form text.
  std::string CopySelection() const;
  void CutSelection();
  // Reads form text (one or more object blocks) into `parent`. Names taken
  // already get the next free number; a control pasted where its original
  // still is moves 8 pixels right and down. The pasted components become
  // the selection. Raises StreamError when the text does not read.
  void Paste(std::string_view text, TWinControl& parent);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  void Undo();
  void Redo();

 private:
  struct TStep {
    std::string text;
    std::vector<std::string> selection;
  };

  void ReadText(std::string_view text);
  void Reread(const std::string& text, const std::vector<std::string>& selection);
  // Records a structure change made on the text: reads it and makes it one step.
  void CommitText(const std::string& text, const std::vector<std::string>& selection);
  std::vector<std::string> TopSelectedNames() const;
  void MoveSelectionInZOrder(bool toBack);
  std::string FreeName(const std::string& wanted, const std::vector<std::string>& taken) const;

  std::optional<TLoadedForm> form_;
  TControl* root_ = nullptr;
  std::string path_;
  std::string text_;
  std::string written_;
  std::string savedText_;
  std::vector<std::string> selection_;
  std::vector<TStep> undo_;
  std::vector<TStep> redo_;
  std::function<void()> onReread_;
};

}  // namespace tintoral
