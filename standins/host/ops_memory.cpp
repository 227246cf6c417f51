// The host's heap (AcroSupport 1 and 3): every block is tracked with its size so that leaks and
// bad frees show in the report instead of corrupting anything.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "standins/host/op_call.h"

namespace standin {

void* HOSTCALL op::HostMemoryAlloc(uint32_t size) {
  OpCall call(OpId::HostMemoryAlloc, Args({ShowInt(size)}));
  // The host is a 32-bit process: no block of 2 GiB or more exists there, whatever the
  // build's own address space. Below that, the heap itself says whether a block fits.
  if (call.Failed() || size > uint32_t(INT32_MAX)) {
    return call.Answer<void*>(nullptr, "null");
  }
  // A block of size 0 is still a unique block.
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) {
    return call.Answer<void*>(nullptr, "null");
  }
  HostState& state = call.state();
  state.blocks[block] = size;
  state.blockOrder.push_back(block);
  state.freedBlocks.erase(block);
  return call.Answer(block, ShowPointer(block));
}

void HOSTCALL op::HostMemoryFree(void* block) {
  OpCall call(OpId::HostMemoryFree, Args({ShowPointer(block)}));
  call.Done();
  if (block == nullptr) {
    return;
  }
  HostState& state = call.state();
  auto found = state.blocks.find(block);
  if (found == state.blocks.end()) {
    bool twice = state.freedBlocks.count(block) != 0;
    std::string error =
        (twice ? "block freed twice: " : "free of an unknown block: ") + ShowPointer(block);
    state.memoryErrors.push_back(error);
    call.Note(error);
    return;
  }
  state.blocks.erase(found);
  state.blockOrder.erase(std::find(state.blockOrder.begin(), state.blockOrder.end(), block));
  state.freedBlocks.insert(block);
  std::free(block);
}

}  // namespace standin
