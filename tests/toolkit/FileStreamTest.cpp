#include <gtest/gtest.h>

#include <fstream>

#include "TempFiles.h"
#include "toolkit/platform/FileStream.h"

namespace {

std::string FileBytes(const TTempFile& file) {
  std::ifstream in(file.FsPath(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(TStream& stream, const std::string& text) {
  stream.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
}

}  // namespace

TEST(FileStream, CreateEmptiesAnExistingFile) {
  TTempFile file(L"create.bin");
  {
    TFileStream stream(file.Path(), fmCreate);
    WriteText(stream, "first contents");
  }
  {
    TFileStream stream(file.Path(), fmCreate);
    EXPECT_EQ(stream.Size(), 0);
    WriteText(stream, "new");
  }
  EXPECT_EQ(FileBytes(file), "new");
}

TEST(FileStream, AnyFileNameWorks) {
  TTempFile file(L"录音 \u00E9\U0001F3B5.wav");
  {
    TFileStream stream(file.Path(), fmCreate);
    WriteText(stream, "abc");
  }
  TFileStream stream(file.Path(), fmOpenRead | fmShareDenyWrite);
  char out[3];
  stream.ReadBuffer(out, 3);
  EXPECT_EQ(std::string(out, 3), "abc");
  EXPECT_EQ(stream.FileName(), file.Path());
}

TEST(FileStream, OpenModesLimitAccess) {
  TTempFile file(L"modes.bin");
  { TFileStream(file.Path(), fmCreate); }
  {
    TFileStream reader(file.Path(), fmOpenRead);
    EXPECT_THROW(WriteText(reader, "x"), EWriteError) << "a file opened for reading takes no writes";
    EXPECT_NE(reader.FailureReason(), L"") << "the system said why";
  }
  {
    TFileStream writer(file.Path(), fmOpenWrite);
    WriteText(writer, "0123456789");
    char out;
    writer.SetPosition(0);
    EXPECT_EQ(writer.Read(&out, 1), 0) << "a file opened for writing gives no bytes";
    EXPECT_NE(writer.FailureReason(), L"");
    WriteText(writer, "0");
    EXPECT_EQ(writer.FailureReason(), L"") << "the reason goes with the next transfer that works";
  }
  TFileStream both(file.Path(), fmOpenReadWrite);
  both.Seek(-3, soFromEnd);
  WriteText(both, "XY");
  both.SetSize(9);
  EXPECT_EQ(both.Size(), 9);
  EXPECT_EQ(FileBytes(file), "0123456XY");
}

TEST(FileStream, MissingFileRaisesOpenErrorWithPathAndReason) {
  TTempFile file(L"does-not-exist.wav");
  try {
    TFileStream stream(file.Path(), fmOpenRead);
    FAIL() << "opening a missing file must raise";
  } catch (const EFOpenError& error) {
    std::wstring prefix = L"Cannot open file \"" + file.Path() + L"\". ";
    ASSERT_EQ(error.Message().substr(0, prefix.size()), prefix);
    EXPECT_GT(error.Message().size(), prefix.size()) << "the system's reason follows the path";
  }
}

TEST(FileStream, UncreatableFileRaisesCreateError) {
  std::wstring path = ScratchDirectory().wstring() + L"/no-such-folder/x.wav";
  try {
    TFileStream stream(path, fmCreate);
    FAIL() << "creating in a missing folder must raise";
  } catch (const EFCreateError& error) {
    std::wstring prefix = L"Cannot create file \"" + path + L"\". ";
    EXPECT_EQ(error.Message().substr(0, prefix.size()), prefix);
  }
}

#ifdef _WIN32
// Sharing flags map onto the platform's share modes (POSIX has none to test).
TEST(FileStream, SharingFlagsKeepOthersOut) {
  TTempFile file(L"shared.bin");
  {
    TFileStream creator(file.Path(), fmCreate);
    EXPECT_NO_THROW(TFileStream(file.Path(), fmOpenRead | fmShareDenyNone)) << "a created file admits readers";
    EXPECT_THROW(TFileStream(file.Path(), fmOpenWrite | fmShareDenyNone), EFOpenError) << "but no other writer";
  }
  TFileStream exclusive(file.Path(), fmOpenRead | fmShareExclusive);
  EXPECT_THROW(TFileStream(file.Path(), fmOpenRead | fmShareDenyNone), EFOpenError);
}
#endif
