// Where the model file loader takes its bytes from: a block already in memory, or an open file
// read as the loader goes, so that a file is never held whole beside the model made from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace a3dstore {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // The next `count` bytes copied to `to`; false (and failed() from then on) when they cannot
  // be read.
  virtual bool Read(void* to, size_t count) = 0;
  // A read went wrong: the bytes were not all there, though their count said they were.
  bool failed() const { return failed_; }

 protected:
  bool Fail() {
    failed_ = true;
    return false;
  }

 private:
  bool failed_ = false;
};

class MemorySource : public ByteSource {
 public:
  MemorySource(const uint8_t* data, size_t size) : at_(data), left_(size) {}
  bool Read(void* to, size_t count) override;

 private:
  const uint8_t* at_;
  size_t left_;
};

// Reads through a buffer of its own; a large read (an array) goes straight into its place.
class FileSource : public ByteSource {
 public:
  explicit FileSource(std::FILE* file) : file_(file) {}
  bool Read(void* to, size_t count) override;

 private:
  // Reads up to `count` bytes from the buffer; answers how many.
  size_t FromBuffer(uint8_t* to, size_t count);
  bool Refill();

  std::FILE* file_;
  uint8_t buffer_[1 << 16];
  size_t at_ = 0;
  size_t end_ = 0;
};

}  // namespace a3dstore
