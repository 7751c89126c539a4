#include "instruments/InstrumentClasses.h"

#include "instruments/ObjectCanvas.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/SevenSegmentCharacter.h"
#include "instruments/SevenSegmentInteger.h"
#include "instruments/ShadowLabel.h"
#include "runtime/ClassRegistry.h"

namespace tintoral {

void RegisterInstruments() {
  RegisterComponentClass<TiSevenSegmentCharacter>();
  RegisterComponentClass<TiSevenSegmentInteger>();
  RegisterComponentClass<TiSevenSegmentAnalog>();
  RegisterComponentClass<TiObjectCanvas>();
  RegisterComponentClass<TiLabel>();
}

}  // namespace tintoral
