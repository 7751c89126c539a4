#pragma once
// The order in which a screen reader reads the children of a control: line
// by line from the top, each line from left to right. A line starts with
// the highest box not yet read and takes every box that begins above that
// box's bottom edge, so a caption beside a slightly taller readout reads
// before it.
#include <cstddef>
#include <vector>

#include "platform/graphics/Geometry.h"

namespace tintoral {

// The indices of `boxes` in reading order (ties keep their given order).
std::vector<std::size_t> ReadingOrder(const std::vector<TRect>& boxes);

}  // namespace tintoral
