#pragma once
// The design canvas as assistive technology finds it: a canvas named after
// the form whose children are the form's controls, each a graphic named
// "NAME (CLASS)" with its place and size as its description, selectable
// and marked selected as the designer selects it.
namespace tintoral {

// Registers the accessibility of every DesignCanvas; calling it again does no harm.
void InstallDesignCanvasAccessibility();

}  // namespace tintoral
