// The RIFF WAVE layout on a file that the stream opens and owns.
#pragma once

#include <memory>
#include <string>

#include "toolkit/platform/FileStream.h"
#include "wave/WaveStream.h"

class TWaveFileStream : public TWaveStream {
 public:
  // mode is a file mode of TFileStream (fmCreate empties an existing file).
  TWaveFileStream(const std::wstring& fileName, uint16_t mode);
  // Completes the header while the file is still open, then closes the file.
  ~TWaveFileStream() override;

 private:
  explicit TWaveFileStream(std::unique_ptr<TFileStream> file);

  std::unique_ptr<TFileStream> FileStream;
};
