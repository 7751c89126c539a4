#include "linklib/modbus/ReadPlan.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace tintoral::modbus {

std::vector<ReadRequest> PlanReads(const std::vector<ItemAddress>& items) {
  std::vector<std::size_t> order(items.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return std::pair(items[a].area, items[a].address) < std::pair(items[b].area, items[b].address);
  });
  std::vector<ReadRequest> requests;
  for (const std::size_t index : order) {
    const ItemAddress& item = items[index];
    const int limit = item.IsBitArea() ? kMaxBitsPerRead : kMaxRegistersPerRead;
    const int end = item.address + item.Count();
    if (!requests.empty()) {
      ReadRequest& request = requests.back();
      const int requestEnd = request.start + request.count;
      if (request.area == item.area && item.address <= requestEnd &&
          std::max(requestEnd, end) - request.start <= limit) {
        request.count = std::max(requestEnd, end) - request.start;
        request.items.push_back(index);
        continue;
      }
    }
    requests.push_back({item.area, item.address, item.Count(), {index}});
  }
  return requests;
}

}  // namespace tintoral::modbus
