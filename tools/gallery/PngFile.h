// PNG files of 24-bit pixels, written without compression (stored deflate
// blocks), so the gallery's pictures need no codec of their own.
#pragma once

#include <cstdint>
#include <vector>

// rgb holds height rows of width red-green-blue triples, the top row first.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb);

// The CRC-32 of PNG chunks and zlib's Adler-32, over bytes.
uint32_t PngCrc(const uint8_t* bytes, size_t count, uint32_t crc = 0);
uint32_t Adler32(const uint8_t* bytes, size_t count);
