#include "tools/formshot/ProgramForms.h"

#include <string>
#include <utility>
#include <vector>

#include "app/MainForm.h"
#include "app/TestSignalsForm.h"
#include "runtime/Identifiers.h"

namespace tintoral {
namespace {

struct ProgramForm {
  std::string className;
  TProgramFormFactory factory;
};

std::vector<ProgramForm>& Registry() {
  static std::vector<ProgramForm> forms;
  return forms;
}

ProgramForm* Find(std::string_view className) {
  for (ProgramForm& form : Registry())
    if (SameText(form.className, className)) return &form;
  return nullptr;
}

}  // namespace

void RegisterProgramForm(const TClassInfo& info, TProgramFormFactory factory) {
  if (ProgramForm* known = Find(info.Name())) {
    known->factory = std::move(factory);
    return;
  }
  Registry().push_back({info.Name(), std::move(factory)});
}

const TProgramFormFactory* FindProgramForm(std::string_view className) {
  const ProgramForm* form = Find(className);
  return form ? &form->factory : nullptr;
}

void RegisterTintoralForms() {
  RegisterProgramForm<TForm1>();
  RegisterProgramForm<TTestSignalsForm>();
}

}  // namespace tintoral
