// Reads arbitrary bytes as a text form stream with every window, standard
// and instrument class registered, as formshot does, and renders the root
// control off-screen, so that every paint path meets hostile property
// values. Errors of the general exception kind (a stream that does not
// read, a control too large for a bitmap) are expected; a crash, a hang, a
// runaway allocation or any other exception is a finding.
#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "instruments/InstrumentClasses.h"
#include "platform/graphics/Bitmap.h"
#include "platform/window/Control.h"
#include "platform/window/Form.h"
#include "platform/window/StandardControls.h"
#include "runtime/Component.h"
#include "runtime/Exception.h"
#include "runtime/FormReader.h"

using namespace tintoral;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication qt(*argc, *argv);
  RegisterWindowClasses();
  RegisterStandardControls();
  RegisterInstruments();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const std::unique_ptr<TComponent> root(ReadComponentText(text));
    if (auto* control = dynamic_cast<TControl*>(root.get())) {
      TBitmap picture;
      control->RenderTo(picture);
    }
  } catch (const Exception&) {
  }
  return 0;
}
