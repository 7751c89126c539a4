#pragma once
// The vector diagram of the main window: the chrominance vector (U across,
// V up) inside a green reference circle crossed by two axes, with its angle
// and modulus as text, drawn on the canvas of the `Vector` image's bitmap
// (305 × 233). Every drawing clears the whole surface first, so nothing of an
// earlier vector or a longer text remains. The canvas keeps the pen, brush
// and font this drawing leaves on it.
#include "platform/graphics/Geometry.h"
#include "platform/graphics/RunLengthImage.h"

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

// Keeps a diagram up to date on one surface (a canvas of a fixed size that
// nothing else draws on), drawing only what changes: it restores the bare
// frame where the previous values were and draws the new ones. The pixels
// are those of DrawVectorDiagram; the canvas is left with the same tools.
class TVectorDiagramSurface {
 public:
  // Draws the diagram for u and v and returns the part of the surface whose
  // pixels may have changed: all of it the first time (or after a change of
  // size), else the areas of the previous and of the new values.
  TRect Redraw(TCanvas& canvas, double u, double v);

 private:
  TRunLengthImage frame_;  // the bare reference frame, at the surface's size
  TRect last_;             // the area of the values drawn last
};

}  // namespace tintoral
