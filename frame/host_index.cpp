// Which host runs us, and the jump back into a host frame.
#include "platform/acrobat/host_operations.h"

#include "frame/frame_state.h"

int GetHostIndex() {
  int16_t major = 0;
  int16_t minor = 0;
  HostGetAppVersion(&major, &minor);
  return major == 9 ? 1 : 0;
}

void RestoreFrame(std::jmp_buf environment) {
  std::longjmp(environment, 1);
}
