#include "tools/formshot/FormLoading.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "instruments/InstrumentClasses.h"
#include "platform/window/Form.h"
#include "platform/window/StandardControls.h"
#include "runtime/ClassBuilder.h"
#include "runtime/ClassRegistry.h"
#include "runtime/Exception.h"
#include "runtime/FormLexer.h"
#include "runtime/FormReader.h"
#include "runtime/Identifiers.h"
#include "tools/formshot/FormSizeCheck.h"
#include "tools/formshot/FormWarnings.h"
#include "tools/formshot/ProgramForms.h"

namespace tintoral {
namespace {

// A TForm that takes the run-time class given to it: the file's class name,
// with TForm as its parent and the file's event handlers as methods.
class TStandInForm : public TForm {
 public:
  explicit TStandInForm(const TClassInfo& info) : TForm(nullptr), info_(info) {}
  const TClassInfo& ClassType() const override { return info_; }
  void IgnoreEvent(TObject*) {}

 private:
  const TClassInfo& info_;
};

std::unique_ptr<TClassInfo> StandInClass(const std::string& className, std::vector<std::string> handlers) {
  return std::make_unique<TClassInfo>(className, &TForm::StaticClass(), [handlers](TClassMembers& members) {
    TClassBuilder<TStandInForm> builder(members);
    for (const std::string& name : handlers) builder.Method(name, &TStandInForm::IgnoreEvent);
  });
}

}  // namespace

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError("Cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw FileError("Cannot read " + path);
  return text.str();
}

std::string WithFileName(const std::string& path, const std::string& message) {
  constexpr std::string_view kLine = "Line ";
  const std::size_t colon = message.find(": ");
  const bool numbered = message.rfind(kLine, 0) == 0 && colon != std::string::npos && colon > kLine.size() &&
                        message.find_first_not_of("0123456789", kLine.size()) == colon;
  if (!numbered) return path + ": " + message;
  return path + ":" + message.substr(kLine.size(), colon - kLine.size()) + message.substr(colon);
}

void RegisterFormClasses() {
  RegisterWindowClasses();
  RegisterStandardControls();
  RegisterInstruments();
  RegisterTintoralForms();
}

std::string RootClassName(std::string_view text) {
  try {
    TFormLexer lexer(text);
    if (!lexer.IsIdent("object")) return "";
    lexer.Next();
    if (lexer.Current().kind != TTokenKind::Ident) return "";
    std::string name = lexer.Current().source;
    lexer.Next();
    if (!lexer.IsSymbol(':')) return name;
    lexer.Next();
    return lexer.Current().kind == TTokenKind::Ident ? lexer.Current().source : "";
  } catch (const StreamError&) {
    return "";  // the reader reports the fault
  }
}

// "OnSomething = Handler" anywhere in the file (the property name may end a
// dotted path). A file the lexer cannot read gives the names found so far.
std::vector<std::string> EventHandlerNames(std::string_view text) {
  std::vector<std::string> names;
  try {
    TFormLexer lexer(text);
    TToken name, equals;  // the two tokens before the current one
    for (; lexer.Current().kind != TTokenKind::EndOfFile; lexer.Next()) {
      const TToken& value = lexer.Current();
      const bool eventAssigned = name.kind == TTokenKind::Ident && name.source.size() > 2 &&
                                 SameText(name.source.substr(0, 2), "On") && equals.kind == TTokenKind::Symbol &&
                                 equals.source == "=" && value.kind == TTokenKind::Ident &&
                                 !SameText(value.source, "nil");
      const auto known = [&](const std::string& n) { return SameText(n, value.source); };
      if (eventAssigned && std::none_of(names.begin(), names.end(), known)) names.push_back(value.source);
      name = equals;
      equals = value;
    }
  } catch (const StreamError&) {
  }
  return names;
}

namespace {

TLoadedForm LoadIntoStandIn(std::string_view text, const std::string& className) {
  auto standIn = StandInClass(className, EventHandlerNames(text));
  auto root = std::make_unique<TStandInForm>(*standIn);
  ReadRootComponentText(text, *root);
  return TLoadedForm(std::move(standIn), std::move(root));
}

}  // namespace

TLoadedForm LoadForm(std::string_view text) {
  const std::string className = RootClassName(text);
  if (const TProgramFormFactory* programForm = FindProgramForm(className))
    return TLoadedForm(nullptr, (*programForm)(text));
  if (className.empty() || FindComponentClass(className))
    return TLoadedForm(nullptr, std::unique_ptr<TComponent>(ReadComponentText(text)));
  return LoadIntoStandIn(text, className);
}

TLoadedForm LoadFormAsWritten(std::string_view text) {
  const std::string className = RootClassName(text);
  const TClassInfo* registered = className.empty() ? nullptr : FindComponentClass(className);
  const bool form = !registered || registered->InheritsFrom(TForm::StaticClass());
  if (!FindProgramForm(className) && (className.empty() || !form))
    return TLoadedForm(nullptr, std::unique_ptr<TComponent>(ReadComponentText(text)));
  return LoadIntoStandIn(text, className);
}

TLoadedForm LoadFormFile(const std::string& path) {
  const std::string text = ReadTextFile(path);
  try {
    TLoadedForm form = LoadForm(text);
    CheckDrawableSizes(form.Root(), text);
    form.SetWarnings(FormWarnings(form.Root(), text, path));
    return form;
  } catch (const StreamError& error) {
    throw StreamError(WithFileName(path, error.Message()));
  }
}

}  // namespace tintoral
