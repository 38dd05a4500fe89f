// The LZH decoder that expands skin packages: LZSS over a 4096-byte ring with
// adaptively Huffman-coded literals and lengths. Input and output go through
// two block callbacks, so the decoder knows nothing of files or streams.
#pragma once

#include <cstdint>

#include "toolkit/core/Exception.h"

class ElzhException : public Exception {
 public:
  using Exception::Exception;
};

// Fill buffer with up to count bytes; the result is the count read. The
// decoder asks for one byte at a time; any other result means the input ended.
using TLzhReadBlock = uint16_t (*)(void* context, void* buffer, uint16_t count);
// Write count bytes from buffer; the result is the count written.
using TLzhWriteBlock = uint16_t (*)(void* context, const void* buffer, uint16_t count);

class TLZH {
 public:
  TLZH(void* inputContext, void* outputContext) : FInput(inputContext), FOutput(outputContext) {}

  // Produces count bytes (or up to 59 more when the last match runs past it);
  // input that ends early reads as zero bits.
  void Decode(int32_t count, TLzhWriteBlock write, TLzhReadBlock read);

 private:
  struct TTables;
  class TBitInput;

  void* FInput;
  void* FOutput;
};

extern const wchar_t* const kLzhNoMemory;
