// kvprobe.dll (native): a module that embeds a bitmap resource, as the plug-in does, and
// loads it through its own copy of the platform layer.
#include <windows.h>

#define PROBE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// A 2x1 24-bit device-independent bitmap: its info header, then one padded row.
const unsigned char kProbeDib[] = {40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0,   0,   1,   0, 24, 0,
                                   0,  0, 0, 0, 8, 0, 0, 0, 0, 0, 0,   0,   0,   0, 0,  0,
                                   0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 0, 0,  0};

const KvBitmapResource probeBitmap(101, kProbeDib, sizeof kProbeDib);

}  // namespace

PROBE_EXPORT HBITMAP KvProbeLoadBitmap(HINSTANCE instance, int id) {
  return LoadBitmapA(instance, MAKEINTRESOURCEA(id));
}

PROBE_EXPORT size_t KvProbeDibSize() {
  return sizeof kProbeDib;
}
