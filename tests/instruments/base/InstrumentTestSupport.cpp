#include "InstrumentTestSupport.h"

namespace tintoral::test {

const TClassInfo& TTestInstrument::StaticClass() {
  static const TClassInfo info("TTestInstrument", &TiCustomComponent::StaticClass());
  return info;
}

}  // namespace tintoral::test
