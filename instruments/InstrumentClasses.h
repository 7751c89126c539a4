#pragma once
// Registration of the instrument classes that window layouts can create.

namespace tintoral {

// Registers every concrete instrument class of this layer with the class
// registry (runtime/ClassRegistry.h). Safe to call more than once.
void RegisterInstruments();

}  // namespace tintoral
