#include "wave/WaveFileStream.h"

TWaveFileStream::TWaveFileStream(const std::wstring& fileName, uint16_t mode)
    : TWaveFileStream(std::make_unique<TFileStream>(fileName, mode)) {}

// The base is built on the file before the member takes ownership of it.
TWaveFileStream::TWaveFileStream(std::unique_ptr<TFileStream> file) : TWaveStream(*file), FileStream(std::move(file)) {}

TWaveFileStream::~TWaveFileStream() { CompleteHeaderQuietly(); }
