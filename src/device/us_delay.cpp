#include "device/us_delay.h"

#include <chrono>

namespace liftvox {

void UsDelay(int32_t microseconds) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const auto target = std::chrono::microseconds(microseconds);
  while (Clock::now() - start < target) {
  }
}

}  // namespace liftvox
