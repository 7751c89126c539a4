#pragma once
// The vector diagram of the main window: the chrominance vector (U across,
// V up) inside a green reference circle crossed by two axes, with its angle
// and modulus as text, drawn on the canvas of the `Vector` image's bitmap
// (305 × 233). Every drawing clears the whole surface first, so nothing of an
// earlier vector or a longer text remains. The canvas keeps the pen, brush
// and font this drawing leaves on it.
#include "platform/graphics/Geometry.h"

namespace tintoral {

class TCanvas;

inline constexpr int kVectorDiagramWidth = 305;
inline constexpr int kVectorDiagramHeight = 233;
// The captions drawn before the angle and the modulus texts.
inline constexpr char kAngleCaption[] = "Ang:";
inline constexpr char kModulusCaption[] = "Mod:";

// Draws the diagram for the chrominance components u and v, as read back
// from the U and V readouts. Returns the area where it differs from the bare
// reference frame (the two values and the vector, with a margin); outside
// it every drawing leaves the same pixels.
TRect DrawVectorDiagram(TCanvas& canvas, double u, double v);

// What a new drawing can change on a surface that holds an earlier one: the
// area of the earlier drawing together with the area of the new one. Until
// the first drawing it takes the whole surface as drawn.
class TVectorDiagramArea {
 public:
  // The part of the surface to repaint after a drawing that returned `drawn`.
  TRect Redrawn(const TRect& drawn);

 private:
  TRect last_{0, 0, kVectorDiagramWidth, kVectorDiagramHeight};
};

}  // namespace tintoral
