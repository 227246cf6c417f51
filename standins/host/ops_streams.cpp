// Host streams over a Cos stream's content (AcroSupport 43, 45).
#include <algorithm>
#include <cstring>

#include "standins/host/handles.h"
#include "standins/host/op_call.h"

namespace standin {
namespace {

StreamRec* OpenStream(HostState& state, HostStream stream) {
  size_t index = 0;
  if (!HandleIndex(stream, HandleKind::Stream, &index) || index >= state.streams.size() ||
      !state.streams[index].open) {
    return nullptr;
  }
  return &state.streams[index];
}

// Whole items only; the scenario's limit bounds the bytes of one read.
size_t ItemsToCopy(const StreamRec& stream, uint32_t itemSize, uint32_t count, uint32_t limit) {
  size_t left = (stream.content->size() - stream.position) / itemSize;
  size_t items = std::min<size_t>(count, left);
  if (limit != 0) {
    items = std::min<size_t>(items, std::max<size_t>(limit / itemSize, 1));
  }
  return items;
}

}  // namespace

int32_t HOSTCALL op::HostStreamRead(void* buffer, uint32_t itemSize, uint32_t count,
                                    HostStream stream) {
  OpCall call(OpId::HostStreamRead,
              Args({ShowPointer(buffer), ShowInt(itemSize), ShowInt(count), ShowHandle(stream)}));
  StreamRec* record = OpenStream(call.state(), stream);
  if (call.Failed() || record == nullptr || (buffer == nullptr && count != 0)) {
    return call.Answer<int32_t>(-1, "-1");
  }
  if (itemSize == 0 || count == 0) {
    return call.Answer<int32_t>(0, "0");
  }
  size_t items = ItemsToCopy(*record, itemSize, std::min<uint32_t>(count, 0x7FFFFFFF),
                             call.state().scenario.streamReadLimit);
  size_t bytes = items * itemSize;
  if (bytes != 0) {
    std::memcpy(buffer, record->content->data() + record->position, bytes);
  }
  record->position += bytes;
  return call.Answer(static_cast<int32_t>(items), ShowInt(static_cast<int64_t>(items)));
}

void HOSTCALL op::HostStreamClose(HostStream stream) {
  OpCall call(OpId::HostStreamClose, Args({ShowHandle(stream)}));
  call.Done();
  StreamRec* record = OpenStream(call.state(), stream);
  if (record == nullptr) {
    std::string error = "close of an unknown or closed stream: " + ShowHandle(stream);
    call.state().handleErrors.push_back(error);
    call.Note(error);
    return;
  }
  record->open = false;
}

}  // namespace standin
