// panelview FORM [--shot OUT.png SECONDS]
//
// Opens a text form file (read as formshot reads it, tools/formshot/
// FormLoading.h) in a window, live and interactive: the instruments' items
// connect through the link library as the form is read, and the program
// runs until the window closes. With --shot it saves the window's client
// area as a PNG after SECONDS of running and exits instead, for machines
// without a screen. Prints one line naming the problem and exits 1 when the
// form cannot be used; 2 on wrong usage.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "instruments/InstrumentClasses.h"
#include "instruments/opc/OPCLibrary.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PngEncoder.h"
#include "platform/window/Application.h"
#include "platform/window/DisplayConnection.h"
#include "platform/window/Form.h"
#include "platform/window/ScreenScaling.h"
#include "platform/window/StandardControls.h"
#include "runtime/Exception.h"
#include "tools/formshot/FormLoading.h"
#include "tools/formshot/ProgramForms.h"

namespace tintoral {
namespace {

struct TPanelViewOptions {
  std::string formPath;
  std::string shotPath;  // "" for a window that stays until closed
  double shotSeconds = 0;
};

bool ParseOptions(int argc, char** argv, TPanelViewOptions& options) {
  if (argc == 2) {
    options.formPath = argv[1];
    return true;
  }
  if (argc == 5 && std::string(argv[2]) == "--shot") {
    options.formPath = argv[1];
    options.shotPath = argv[3];
    std::istringstream seconds(argv[4]);
    return static_cast<bool>(seconds >> options.shotSeconds) && seconds.eof() && options.shotSeconds >= 0;
  }
  return false;
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError("Cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void SaveShot(TForm& form, const std::string& path) {
  TBitmap picture;
  form.RenderTo(picture);
  SavePng(picture, path);
}

int View(const TPanelViewOptions& options) {
  RegisterWindowClasses();
  RegisterStandardControls();
  RegisterInstruments();
  RegisterTintoralForms();
  Application().Initialize();
  if (!OPCLibraryAvailable()) std::fprintf(stderr, "panelview: no link library found; the items stay unconnected\n");
  TLoadedForm loaded = LoadForm(ReadTextFile(options.formPath));
  auto* form = dynamic_cast<TForm*>(&loaded.Root());
  if (!form) throw InvalidOperation("The root '" + loaded.Root().Name() + "' is not a form");
  QApplication::setQuitOnLastWindowClosed(false);
  form->SetOnClose([](TObject*, TCloseAction&) { QCoreApplication::quit(); });
  form->Show();
  int result = 0;
  if (!options.shotPath.empty()) {
    QTimer::singleShot(static_cast<int>(options.shotSeconds * 1000), [&] {
      try {
        SaveShot(*form, options.shotPath);
      } catch (const std::exception& error) {
        std::fprintf(stderr, "panelview: %s\n", error.what());
        result = 1;
      }
      QCoreApplication::quit();
    });
  }
  QApplication::exec();
  return result;
}

}  // namespace
}  // namespace tintoral

int main(int argc, char** argv) {
  tintoral::TPanelViewOptions options;
  if (!tintoral::ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: panelview FORM [--shot OUT.png SECONDS]\n");
    return 2;
  }
  if (const auto problem = tintoral::UnreachableDisplay()) {
    std::fprintf(stderr, "panelview: %s\n", problem->c_str());
    return 1;
  }
  tintoral::UseWholeScreenScaleFactors();
  QApplication qt(argc, argv);
  try {
    return tintoral::View(options);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "panelview: %s\n", error.what());
    return 1;
  }
}
