#include "instruments/InstrumentClasses.h"

#include "instruments/LCDMatrix.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/SevenSegmentCharacter.h"
#include "instruments/SevenSegmentInteger.h"
#include "runtime/ClassRegistry.h"

namespace tintoral {

void RegisterInstruments() {
  RegisterComponentClass<TiSevenSegmentCharacter>();
  RegisterComponentClass<TiSevenSegmentInteger>();
  RegisterComponentClass<TiSevenSegmentAnalog>();
  RegisterComponentClass<TiLCDMatrix>();
}

}  // namespace tintoral
