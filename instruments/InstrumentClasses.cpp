#include "instruments/InstrumentClasses.h"

#include "instruments/SevenSegmentCharacter.h"
#include "runtime/ClassRegistry.h"

namespace tintoral {

void RegisterInstruments() {
  RegisterComponentClass<TiSevenSegmentCharacter>();
}

}  // namespace tintoral
