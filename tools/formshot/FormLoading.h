#pragma once
// Reads any text form file for rendering. A file whose root class is a
// program form class (ProgramForms.h: TForm1) is built as the program builds
// that window, handlers and creation handler included. A file whose root
// class is registered (TForm) is read as that class. A file whose root class
// is neither
// (TForm1 in a form file of a program) is read into a stand-in: a plain TForm
// that answers to the file's class name and has a do-nothing handler for each
// event the file names, so the file reads as it is. Only notify events
// (handlers taking the sender alone) can be bound this way; an event with
// more arguments is reported as not fitting.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ClassInfo.h"
#include "runtime/Component.h"

namespace tintoral {

class TLoadedForm {
 public:
  TLoadedForm(std::unique_ptr<TClassInfo> standInClass, std::unique_ptr<TComponent> root)
      : standInClass_(std::move(standInClass)), root_(std::move(root)) {}

  TComponent& Root() const { return *root_; }
  bool IsStandIn() const { return standInClass_ != nullptr; }
  // "FILE:LINE: warning: ..." for what reads but will not show as meant
  // (FormWarnings.h); LoadFormFile fills them in.
  const std::vector<std::string>& Warnings() const { return warnings_; }
  void SetWarnings(std::vector<std::string> warnings) { warnings_ = std::move(warnings); }

 private:
  std::unique_ptr<TClassInfo> standInClass_;  // outlives the root that refers to it
  std::unique_ptr<TComponent> root_;
  std::vector<std::string> warnings_;
};

// Registers every class a form file may name, and the program's own form
// classes. Called explicitly, so that the linker keeps the registering code
// of each library.
void RegisterFormClasses();

// Raises StreamError for a malformed form, an unknown class, component
// property or method, as the form reader does ("Line 11: ...").
TLoadedForm LoadForm(std::string_view text);

// Reads the form as it is written, for editing: no program form class is
// built (its handlers and creation handler would change what the file says),
// so a root whose class is a form class (the program's, a registered one or
// one not registered) is read into the stand-in, whose events take any
// handler name. Errors as LoadForm.
TLoadedForm LoadFormAsWritten(std::string_view text);

// LoadForm on the file's text. Its errors name the file as given and the
// line, as compilers do ("MainForm.txt:11: '=' expected but 'end' found");
// FileError when the file cannot be read. The form's warnings are those of
// FormWarnings.
TLoadedForm LoadFormFile(const std::string& path);

// The file's text; FileError when it cannot be read.
std::string ReadTextFile(const std::string& path);
// "Line 11: message" becomes "PATH:11: message"; a message without a line
// gets the path alone in front.
std::string WithFileName(const std::string& path, const std::string& message);

// The root's class name as the file's first line gives it ("" when there is
// none), and the names of the methods the file binds events to.
std::string RootClassName(std::string_view text);
std::vector<std::string> EventHandlerNames(std::string_view text);

}  // namespace tintoral
