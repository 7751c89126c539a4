#include "instruments/InstrumentClasses.h"

#include "instruments/InstrumentAccessibility.h"
#include "instruments/LCDMatrix.h"
#include "instruments/ObjectCanvas.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/SevenSegmentCharacter.h"
#include "instruments/SevenSegmentInteger.h"
#include "instruments/ShadowLabel.h"
#include "instruments/Slider.h"
#include "instruments/TrendChart.h"
#include "instruments/TrendChartAccessibility.h"
#include "runtime/ClassRegistry.h"

namespace tintoral {

void RegisterInstruments() {
  RegisterComponentClass<TiSevenSegmentCharacter>();
  RegisterComponentClass<TiSevenSegmentInteger>();
  RegisterComponentClass<TiSevenSegmentAnalog>();
  RegisterComponentClass<TiSlider>();
  RegisterComponentClass<TiLCDMatrix>();
  RegisterComponentClass<TiObjectCanvas>();
  RegisterComponentClass<TiLabel>();
  RegisterComponentClass<TiTrendChart>();
  RegisterInstrumentAccessibility();
  RegisterTrendChartAccessibility();
}

}  // namespace tintoral
