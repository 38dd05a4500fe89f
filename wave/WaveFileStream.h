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
  // Takes over a file already open; the layout begins at its current position.
  explicit TWaveFileStream(std::unique_ptr<TFileStream> file);
  // Completes the header while the file is still open, then closes the file.
  ~TWaveFileStream() override;

  const std::wstring& FileName() const { return FileStream->FileName(); }
  // The system's reason for the last transfer the file refused (see TFileStream).
  std::wstring FailureReason() const { return FileStream->FailureReason(); }

 private:
  std::unique_ptr<TFileStream> FileStream;
};
