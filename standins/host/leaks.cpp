// What a plug-in left behind: blocks, path names, text objects, streams, host menus and icon
// bitmaps no button took that it did not give back, and the errors of giving back what it did
// not hold.
#include "standins/host/host_state.h"

namespace standin {
namespace {

size_t LiveCount(const std::vector<NamedRec>& records) {
  size_t count = 0;
  for (const NamedRec& record : records) {
    count += record.alive ? 1 : 0;
  }
  return count;
}

}  // namespace

size_t LeakReport::BlockBytes() const {
  size_t bytes = 0;
  for (const BlockLeak& block : blocks) {
    bytes += block.size;
  }
  return bytes;
}

bool LeakReport::Clean() const {
  return blocks.empty() && pathNames == 0 && texts == 0 && streams == 0 && menuAcquisitions == 0 &&
         icons == 0 && memoryErrors.empty() && handleErrors.empty();
}

LeakReport Host::Leaks() const {
  const HostState& state = *state_;
  LeakReport report;
  for (const void* block : state.blockOrder) {
    auto found = state.blocks.find(block);
    report.blocks.push_back(BlockLeak{block, found != state.blocks.end() ? found->second : 0});
  }
  report.pathNames = LiveCount(state.pathNames);
  report.texts = LiveCount(state.texts);
  for (const StreamRec& stream : state.streams) {
    report.streams += stream.open ? 1 : 0;
  }
  for (const MenuRec& menu : state.menus) {
    if (menu.info.hostMenu) {
      report.menuAcquisitions += static_cast<size_t>(menu.acquired);
    }
  }
  for (const void* icon : state.iconsNotTaken) {
    report.icons += IsLiveBitmap(icon) ? 1 : 0;
  }
  report.memoryErrors = state.memoryErrors;
  report.handleErrors = state.handleErrors;
  return report;
}

}  // namespace standin
