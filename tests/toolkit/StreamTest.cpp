#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "toolkit/core/MemoryStream.h"

namespace {

std::vector<uint8_t> Ramp(size_t count) {
  std::vector<uint8_t> bytes(count);
  std::iota(bytes.begin(), bytes.end(), uint8_t{0});
  return bytes;
}

}  // namespace

TEST(MemoryStream, SeekOriginsAndDerivedSize) {
  TMemoryStream stream;
  auto bytes = Ramp(10);
  stream.WriteBuffer(bytes.data(), 10);
  EXPECT_EQ(stream.Position(), 10);
  EXPECT_EQ(stream.Seek(3, soFromBeginning), 3);
  EXPECT_EQ(stream.Seek(2, soFromCurrent), 5);
  EXPECT_EQ(stream.Seek(-4, soFromEnd), 6);
  EXPECT_EQ(stream.Size(), 10);
  EXPECT_EQ(stream.Position(), 6) << "Size must leave the position alone";
  EXPECT_EQ(stream.Seek(-1, soFromBeginning), 6) << "a position before the start is refused";
  EXPECT_EQ(stream.Seek(0, 7), 6) << "an unknown origin leaves the position";
}

TEST(MemoryStream, WritingPastTheEndFillsTheGapWithZeros) {
  TMemoryStream stream;
  stream.SetPosition(4);
  uint8_t byte = 9;
  stream.WriteBuffer(&byte, 1);
  EXPECT_EQ(stream.Bytes(), (std::vector<uint8_t>{0, 0, 0, 0, 9}));
}

TEST(MemoryStream, ReadsStopAtTheEnd) {
  TMemoryStream stream;
  auto bytes = Ramp(5);
  stream.WriteBuffer(bytes.data(), 5);
  stream.SetPosition(3);
  uint8_t out[8] = {};
  EXPECT_EQ(stream.Read(out, 8), 2);
  EXPECT_EQ(stream.Read(out, 8), 0);
  EXPECT_EQ(stream.Read(out, -5), 0);
  stream.SetSize(2);
  EXPECT_EQ(stream.Position(), 2) << "shrinking pulls the position back";
}

TEST(Stream, WholeBlockTransfersRaiseOnShortCounts) {
  TMemoryStream stream;
  auto bytes = Ramp(4);
  stream.WriteBuffer(bytes.data(), 4);
  stream.SetPosition(1);
  uint8_t out[4];
  try {
    stream.ReadBuffer(out, 4);
    FAIL() << "a short read must raise";
  } catch (const EReadError& error) {
    EXPECT_EQ(error.Message(), L"Stream read error");
  }
  EXPECT_NO_THROW(stream.ReadBuffer(out, 0));
}

// A stream that takes only a fixed number of bytes, like a full disk.
class TFullStream : public TMemoryStream {
 public:
  explicit TFullStream(int32_t room) : Room(room) {}
  int32_t Write(const void* buffer, int32_t count) override {
    int32_t n = std::min(count, Room - Size());
    return n > 0 ? TMemoryStream::Write(buffer, n) : 0;
  }
  int32_t Room;
};

TEST(Stream, ShortWriteRaisesStreamWriteError) {
  TFullStream stream(3);
  auto bytes = Ramp(4);
  try {
    stream.WriteBuffer(bytes.data(), 4);
    FAIL() << "a short write must raise";
  } catch (const EWriteError& error) {
    EXPECT_EQ(error.Message(), L"Stream write error");
  }
}

TEST(Stream, CopyFromCopiesACountOrTheWholeSource) {
  TMemoryStream source, target;
  auto bytes = Ramp(200000);  // more than one copy block
  source.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  source.SetPosition(10);
  EXPECT_EQ(target.CopyFrom(source, 5), 5);
  EXPECT_EQ(target.Bytes(), (std::vector<uint8_t>{10, 11, 12, 13, 14}));

  TMemoryStream whole;
  EXPECT_EQ(whole.CopyFrom(source, 0), 200000) << "count 0 copies everything from the start";
  EXPECT_EQ(whole.Bytes(), bytes);
  EXPECT_EQ(whole.CopyFrom(source, -3), 0);
}

TEST(Stream, CopyFromAShortSourceRaises) {
  TMemoryStream source, target;
  auto bytes = Ramp(3);
  source.WriteBuffer(bytes.data(), 3);
  source.SetPosition(0);
  EXPECT_THROW(target.CopyFrom(source, 4), EReadError);
}
