// Tintoral: starts the application, creates the main window (zoomed as the
// user left it) and then the hidden About box, and runs until the main
// window closes. --test-signals opens the test-signal window beside it.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/AboutBox.h"
#include "app/MainForm.h"
#include "app/ProgramIdentity.h"
#include "instruments/InstrumentClasses.h"
#include "instruments/opc/OPCLibrary.h"
#include "platform/window/Application.h"
#include "platform/window/DisplayConnection.h"
#include "platform/window/ScreenScaling.h"
#include "platform/window/StandardControls.h"
#include "system/RuntimeFolder.h"

namespace {
constexpr char kTestSignalsOption[] = "--test-signals";
}  // namespace

int main(int argc, char** argv) {
  using namespace tintoral;
  const TDisplayProbe display;  // open until the program ends, past Qt's own connection
  if (const auto& problem = display.Problem()) {
    std::fprintf(stderr, "tintoral: %s\n", problem->c_str());
    return 1;
  }
  UseWholeScreenScaleFactors();
  EnsurePrivateRuntimeFolder();
  QApplication qt(argc, argv);
  UseProgramIdentity();
  try {
    RegisterWindowClasses();
    RegisterStandardControls();
    RegisterInstruments();
    Application().Initialize();
    // The data-link library is looked for once, now; without it nothing changes.
    OPCLibrary();
    TForm1* mainForm = Application().CreateForm<TForm1>();
    mainForm->UseRememberedZoom();
    TAboutBox* aboutBox = Application().CreateForm<TAboutBox>();
    mainForm->SetAboutBox(aboutBox);
    for (int i = 1; i < argc; ++i)
      if (std::strcmp(argv[i], kTestSignalsOption) == 0)
        QTimer::singleShot(0, [mainForm] { GuardedCall([&] { mainForm->ShowTestSignals(); }); });
    Application().Run();
  } catch (const std::exception& error) {
    // Only a damaged build (a layout that does not read) gets here.
    std::fprintf(stderr, "tintoral: %s\n", error.what());
    return 1;
  }
  return 0;
}
