// The peak memory of a span of code, from the kernel's counters of this process.
//
// Start hands the C heap's free memory back to the system (malloc_trim), resets the process's
// high-water mark of resident memory (writing 5 to /proc/self/clear_refs) and notes the
// resident size; PeakBytes is the high-water mark since then less that size. What the span
// allocates and touches counts, in whole pages, whichever module allocates it; memory already
// resident before Start (the input meshes) does not.
#pragma once

#include <cstddef>

class PeakMeter {
 public:
  // False when the high-water mark cannot be reset here: PeakBytes then answers 0.
  bool Start();
  size_t PeakBytes() const;

 private:
  size_t start_ = 0;
  bool ok_ = false;
};
