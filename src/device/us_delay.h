#pragma once

#include <cstdint>

namespace liftvox {

// Busy-waits for at least `microseconds` on a monotonic clock. It never sleeps
// or yields: the bit-banged SPI clock needs a resolution of a few
// microseconds. Zero or negative returns after one look at the clock.
void UsDelay(int32_t microseconds);

}  // namespace liftvox
