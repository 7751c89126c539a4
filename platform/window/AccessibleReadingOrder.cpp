#include "platform/window/AccessibleReadingOrder.h"

#include <algorithm>
#include <iterator>
#include <numeric>

namespace tintoral {

std::vector<std::size_t> ReadingOrder(const std::vector<TRect>& boxes) {
  std::vector<std::size_t> order(boxes.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  const auto byTop = [&](std::size_t a, std::size_t b) { return boxes[a].Top < boxes[b].Top; };
  const auto byLeftThenTop = [&](std::size_t a, std::size_t b) {
    if (boxes[a].Left != boxes[b].Left) return boxes[a].Left < boxes[b].Left;
    return boxes[a].Top < boxes[b].Top;
  };
  std::stable_sort(order.begin(), order.end(), byTop);
  for (auto line = order.begin(); line != order.end();) {
    const int lineBottom = boxes[*line].Bottom;
    const auto lineEnd =
        std::find_if(std::next(line), order.end(), [&](std::size_t i) { return boxes[i].Top >= lineBottom; });
    std::stable_sort(line, lineEnd, byLeftThenTop);
    line = lineEnd;
  }
  return order;
}

}  // namespace tintoral
