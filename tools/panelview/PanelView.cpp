// panelview [OPTIONS] FORM [FORM...] [OPTIONS]   (PanelViewOptions.cpp lists them)
//
// Opens text form files (read as formshot reads them, tools/formshot/
// FormLoading.h) in a window, live and interactive: the instruments' items
// connect through the link library as each form is read, and the program
// runs until the window closes. One form shows at a time (PanelSet.h: keys
// move between them and to full screen). A form is read again whenever its
// file changes; while it cannot be read, the window shows why (LivePanel.h)
// and standard error says so too. A status area under each form shows its
// warnings, the server connections and the items that are not well
// (StatusArea.h, PanelStatus.h); --mark-errors turns ErrorMarking on for
// every instrument. --sim FILE loads the simulation link library from the
// program's folder instead of the OPC UA one, with FILE as its simulation
// file. With --shot it saves the client area of the window shown as a PNG
// after SECONDS of running and exits instead, for machines without a
// screen: 1 when a form could not be read then. Exits 1 when the link
// library asked for cannot be loaded; 2 on wrong usage.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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
#include "system/RuntimeFolder.h"
#include "tools/formshot/ProgramForms.h"
#include "tools/panelview/PanelSet.h"
#include "tools/panelview/PanelViewOptions.h"
#include "tools/support/SimulationLink.h"

namespace tintoral {
namespace {

constexpr int kStatusIntervalMs = 500;

void SaveShot(TForm& form, const std::string& path) {
  TBitmap picture;
  form.RenderTo(picture);
  SavePng(picture, path);
}

// Each link library is loaded when the first item asks for it, so a form
// without items loads none; those the items asked for but that are not
// there are named once the forms are read.
void ReportMissingLinkLibraries() {
  for (const TiOPCLibrary* library : LinkLibrariesInUse())
    if (!library->Available())
      std::fprintf(stderr, "panelview: no link library %s found; its items stay unconnected\n",
                   library->Name().c_str());
}

int View(const TPanelViewOptions& options) {
  RegisterWindowClasses();
  RegisterStandardControls();
  RegisterInstruments();
  RegisterTintoralForms();
  Application().Initialize();
  if (!options.simPath.empty()) UseSimulationLink(options.simPath);
  QApplication::setQuitOnLastWindowClosed(false);
  TPanelSet panels(options.formPaths, {.markErrors = options.markErrors, .fullScreen = options.fullScreen});
  ReportMissingLinkLibraries();
  QTimer statusTimer;
  QObject::connect(&statusTimer, &QTimer::timeout, [&] { panels.RefreshStatus(); });
  statusTimer.start(kStatusIntervalMs);
  int result = 0;
  if (!options.shotPath.empty()) {
    QTimer::singleShot(static_cast<int>(options.shotSeconds * 1000), [&] {
      try {
        panels.RefreshStatus();
        SaveShot(panels.Shown().Window(), options.shotPath);
        if (panels.AnyError()) result = 1;
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
  const std::string problem = tintoral::ParsePanelViewOptions(std::vector<std::string>(argv + 1, argv + argc), options);
  if (options.help) {
    std::fputs(tintoral::PanelViewUsage().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("panelview %s\n", TINTORAL_VERSION);
    return 0;
  }
  if (!problem.empty()) {
    std::fprintf(stderr, "panelview: %s\n%s", problem.c_str(), tintoral::PanelViewUsage().c_str());
    return 2;
  }
  const tintoral::TDisplayProbe display;  // open until the program ends, past Qt's own connection
  if (const auto& unreachable = display.Problem()) {
    std::fprintf(stderr, "panelview: %s\n", unreachable->c_str());
    return 1;
  }
  tintoral::UseWholeScreenScaleFactors();
  tintoral::EnsurePrivateRuntimeFolder();
  QApplication qt(argc, argv);
  try {
    return tintoral::View(options);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "panelview: %s\n", error.what());
    return 1;
  }
}
