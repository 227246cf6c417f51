// What a tool button's icon is: a bitmap handle read the way each build can read it.
#include <windows.h>

#include <cstring>

#include "standins/host/host_state.h"

namespace standin {
namespace {

#ifndef _WIN32
uint32_t Le32(const uint8_t* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

uint16_t Le16(const uint8_t* bytes) {
  return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

// The sizes from a packed bitmap's header (a file header before it is skipped).
void ReadBitmapHeader(IconInfo* icon) {
  const uint8_t* header = icon->bits.data();
  size_t size = icon->bits.size();
  if (size >= 14 && header[0] == 'B' && header[1] == 'M') {
    header += 14;
    size -= 14;
  }
  if (size >= 40 && Le32(header) >= 40) {
    icon->width = static_cast<int32_t>(Le32(header + 4));
    int32_t height = static_cast<int32_t>(Le32(header + 8));
    icon->height = height < 0 ? -height : height;
    icon->bitsPerPixel = Le16(header + 14);
  } else if (size >= 12 && Le32(header) == 12) {
    icon->width = Le16(header + 4);
    icon->height = Le16(header + 6);
    icon->bitsPerPixel = Le16(header + 10);
  }
}
#endif

}  // namespace

IconInfo ReadIcon(void* handle) {
  IconInfo icon;
  icon.handle = handle;
  if (handle == nullptr) {
    return icon;
  }
#ifdef _WIN32
  BITMAP bitmap;
  if (GetObjectA(static_cast<HGDIOBJ>(handle), sizeof(bitmap), &bitmap) == sizeof(bitmap)) {
    icon.isBitmap = true;
    icon.width = bitmap.bmWidth;
    icon.height = bitmap.bmHeight;
    icon.bitsPerPixel = bitmap.bmBitsPixel;
  }
#else
  size_t size = 0;
  const unsigned char* bits = KvBitmapBits(static_cast<HBITMAP>(handle), &size);
  if (bits != nullptr) {
    icon.isBitmap = true;
    icon.bits.assign(bits, bits + size);
    ReadBitmapHeader(&icon);
  }
#endif
  return icon;
}

bool IsLiveBitmap(const void* handle) {
  if (handle == nullptr) {
    return false;
  }
#ifdef _WIN32
  return GetObjectA(static_cast<HGDIOBJ>(const_cast<void*>(handle)), 0, nullptr) != 0;
#else
  return KvBitmapLive(static_cast<HBITMAP>(const_cast<void*>(handle))) != FALSE;
#endif
}

}  // namespace standin
