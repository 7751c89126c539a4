// panelview [OPTIONS] FORM [OPTIONS]   (PanelViewOptions.cpp lists them)
//
// Opens a text form file (read as formshot reads it, tools/formshot/
// FormLoading.h) in a window, live and interactive: the instruments' items
// connect through the link library as the form is read, and the program
// runs until the window closes. The form is read again whenever its file
// changes; while it cannot be read, the window shows why (LivePanel.h) and
// standard error says so too. A status line under the form shows the
// server connections and the items that are not well (PanelStatus.h);
// --mark-errors turns ErrorMarking on for every instrument. --sim FILE loads
// the simulation link library from the program's folder instead of the OPC
// UA one, with FILE as its simulation file. With --shot it saves the
// window's client area as a PNG after SECONDS of running and exits instead,
// for machines without a screen: 1 when the form could not be read then.
// Exits 1 when the link library asked for cannot be loaded; 2 on wrong
// usage.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "instruments/InstrumentClasses.h"
#include "instruments/base/InstrumentComponent.h"
#include "instruments/opc/ErrorLog.h"
#include "instruments/opc/OPCLibrary.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PngEncoder.h"
#include "platform/window/Application.h"
#include "platform/window/DisplayConnection.h"
#include "platform/window/Form.h"
#include "platform/window/Label.h"
#include "platform/window/ScreenScaling.h"
#include "platform/window/StandardControls.h"
#include "runtime/Exception.h"
#include "system/RuntimeFolder.h"
#include "tools/formshot/ProgramForms.h"
#include "tools/panelview/LivePanel.h"
#include "tools/panelview/PanelStatus.h"
#include "tools/panelview/PanelViewOptions.h"
#include "tools/panelview/TrendExport.h"

namespace tintoral {
namespace {

constexpr int kStatusHeight = 18;
constexpr int kStatusIntervalMs = 500;
constexpr const char* kSimulationLibrary = "libtintoralsim.so";

void SaveShot(TForm& form, const std::string& path) {
  TBitmap picture;
  form.RenderTo(picture);
  SavePng(picture, path);
}

void MarkErrors(TComponent& component) {
  if (auto* instrument = dynamic_cast<TiComponent*>(&component)) instrument->SetErrorMarking(true);
  for (int i = 0; i < component.ComponentCount(); ++i) MarkErrors(*component.Components(i));
}

// A line under the form's own area, refreshed every half second; the data
// link's error log writes its counted lines at the same pace.
TLabel& AddStatusLine(TForm& form) {
  const int top = form.ClientHeight();
  form.SetClientHeight(top + kStatusHeight);
  auto* status = new TLabel(&form);
  status->SetAutoSize(false);
  status->SetParent(&form);
  status->SetBounds(4, top + 2, form.ClientWidth() - 8, kStatusHeight - 4);
  return *status;
}

// Items with AutoError follow their link's activity even when the library
// sends nothing more (a server that stopped answering).
void UpdateItemErrors(TComponent& component) {
  if (auto* instrument = dynamic_cast<TiVCLComponent*>(&component)) {
    TiOPCItemManager& items = instrument->OPCItemManager();
    for (int i = 0; i < items.Count(); ++i)
      if (items.Items(i).AutoError()) items.Items(i).UpdateItemError();
  }
  for (int i = 0; i < component.ComponentCount(); ++i) UpdateItemErrors(*component.Components(i));
}

// With PANELVIEW_STATUS_TO_STDERR set, each new status text is also written
// to stderr, for watching an unattended panel from outside.
void RefreshStatus(TLabel* status, TForm* form) {
  if (!status || !form) return;
  UpdateItemErrors(*form);
  const std::string text = PanelStatusText(*form, OPCLibrary());
  if (text != status->Caption() && std::getenv("PANELVIEW_STATUS_TO_STDERR"))
    std::fprintf(stderr, "panelview status: %s\n", text.c_str());
  status->SetCaption(text);
  OPCErrorLog().Flush();
}

// The simulation link library beside the program, with `simFile` as the
// simulation file it reads (it names the file's errors with their lines).
void UseSimulation(const std::string& simFile) {
  std::error_code problem;
  if (!std::filesystem::is_regular_file(simFile, problem))
    throw FileError("The simulation file '" + simFile + "' does not exist or is not a file");
  setenv("TINTORAL_SIM_FILE", simFile.c_str(), 1);
  UseOPCLibraryFile(PathBesideProgram(kSimulationLibrary));
}

void ConnectLink(const TPanelViewOptions& options) {
  if (!options.simPath.empty()) UseSimulation(options.simPath);
  else if (!OPCLibraryAvailable())
    std::fprintf(stderr, "panelview: no link library found; the items stay unconnected\n");
}

int View(const TPanelViewOptions& options) {
  RegisterWindowClasses();
  RegisterStandardControls();
  RegisterInstruments();
  RegisterTintoralForms();
  Application().Initialize();
  ConnectLink(options);
  QApplication::setQuitOnLastWindowClosed(false);
  TLabel* status = nullptr;  // the status line of the form shown, if one shows
  TForm* form = nullptr;
  TLivePanel live(options.formPath, [&](TForm& window, const std::string& error) {
    window.SetOnClose([](TObject*, TCloseAction&) { QCoreApplication::quit(); });
    form = error.empty() ? &window : nullptr;
    status = nullptr;
    if (!error.empty()) {
      std::fprintf(stderr, "panelview: %s\n", error.c_str());
      return;
    }
    if (options.markErrors) MarkErrors(window);
    AddTrendExport(window);
    status = &AddStatusLine(window);
    RefreshStatus(status, form);
  });
  QTimer statusTimer;
  QObject::connect(&statusTimer, &QTimer::timeout, [&] { RefreshStatus(status, form); });
  statusTimer.start(kStatusIntervalMs);
  int result = 0;
  if (!options.shotPath.empty()) {
    QTimer::singleShot(static_cast<int>(options.shotSeconds * 1000), [&] {
      try {
        RefreshStatus(status, form);
        SaveShot(live.Window(), options.shotPath);
        if (!live.Error().empty()) result = 1;
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
