#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "TempFiles.h"
#include "WaveBytes.h"
#include "wave/WaveFileStream.h"
#include "wave/WaveFormat.h"

namespace {

Bytes ExpectedHeader(uint32_t rate, uint16_t bits, uint16_t channels, uint32_t dataSize) {
  Bytes bytes = RiffHeader(38 + dataSize);
  AppendChunk(bytes, "fmt ", 18, PcmRecord(rate, bits, channels, true));
  Append(bytes, "data");
  AppendLe(bytes, dataSize, 4);
  return bytes;
}

Bytes Sound(size_t count) {
  Bytes bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 1);
  return bytes;
}

// The layout of a completed stream holding the first count bytes of sound.
Bytes CompletedLayout(uint32_t rate, uint16_t bits, uint16_t channels, const Bytes& sound, size_t count) {
  Bytes bytes = ExpectedHeader(rate, bits, channels, static_cast<uint32_t>(count));
  bytes.insert(bytes.end(), sound.begin(), sound.begin() + static_cast<std::ptrdiff_t>(count));
  return bytes;
}

Bytes FileBytes(const TTempFile& file) {
  std::ifstream in(file.FsPath(), std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), {});
}

// A memory target whose writes can be refused, as a full disk refuses them.
class TRefusingStream : public TMemoryStream {
 public:
  int32_t Write(const void* buffer, int32_t count) override { return Refuse ? 0 : TMemoryStream::Write(buffer, count); }
  bool Refuse = false;
};

// A memory target with room for a fixed number of bytes, as a nearly full
// disk has: a write beyond it is cut short there.
class TCrampedStream : public TMemoryStream {
 public:
  explicit TCrampedStream(int32_t room) : Room(room) {}
  int32_t Write(const void* buffer, int32_t count) override {
    return TMemoryStream::Write(buffer, std::clamp(Room - Position(), 0, count));
  }
  int32_t Room;
};

}  // namespace

TEST(WaveFormat, PcmFieldsFollowFromRateWidthAndChannels) {
  TWaveFormatEx format{};
  FillPcmFormat(format, 22050, 8, 2);
  EXPECT_EQ(format.nBlockAlign, 2);
  EXPECT_EQ(format.nAvgBytesPerSec, 44100u);
  FillPcmFormat(format, 96000, 32, 2);
  EXPECT_EQ(format.nBlockAlign, 8);
  EXPECT_EQ(format.nAvgBytesPerSec, 768000u);
  EXPECT_EQ(format.wFormatTag, 1);
  EXPECT_EQ(format.cbSize, 0);
}

TEST(WaveWrite, EmptyRecordingIsA46ByteFile) {
  TTempFile file(L"empty.wav");
  {
    TWaveFileStream wave(file.Path(), fmCreate);
    wave.SetPcmFormat(44100, 16, 1);
    wave.OpenWave(true);
  }
  std::ifstream in(file.FsPath(), std::ios::binary);
  Bytes bytes((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(bytes, ExpectedHeader(44100, 16, 1, 0));
  EXPECT_EQ(bytes.size(), 46u);
}

TEST(WaveWrite, CompletedLayoutCountsSoundBytesWithoutPadding) {
  for (size_t count : {size_t{1000}, size_t{999}}) {
    TMemoryStream target;
    Bytes sound = Sound(count);
    {
      TWaveStream wave(target);
      wave.SetPcmFormat(8000, 8, 1);
      wave.OpenForWriting();
      wave.WriteBuffer(sound.data(), 600);
      wave.WriteBuffer(sound.data() + 600, static_cast<int32_t>(count - 600));
      EXPECT_EQ(wave.Size(), static_cast<int32_t>(count));
      EXPECT_EQ(Le32At(target.Bytes(), 42), 0u) << "sizes are placeholders until completion";
    }
    Bytes expected = ExpectedHeader(8000, 8, 1, static_cast<uint32_t>(count));
    expected.insert(expected.end(), sound.begin(), sound.end());
    EXPECT_EQ(target.Bytes(), expected) << count << " bytes, no pad byte after an odd chunk";
  }
}

TEST(WaveWrite, LayoutStartsAtTheTargetsPosition) {
  TMemoryStream target;
  Bytes prefix(5, 0xEE);
  target.WriteBuffer(prefix.data(), 5);
  Bytes sound = Sound(10);
  {
    TWaveStream wave(target);
    wave.SetPcmFormat(11025, 16, 2);
    wave.OpenForWriting();
    wave.WriteBuffer(sound.data(), 10);
  }
  Bytes expected = prefix;
  Bytes layout = ExpectedHeader(11025, 16, 2, 10);
  expected.insert(expected.end(), layout.begin(), layout.end());
  expected.insert(expected.end(), sound.begin(), sound.end());
  EXPECT_EQ(target.Bytes(), expected) << "the RIFF size counts only the bytes from the origin on";
}

TEST(WaveWrite, OpeningChecksStateAndFormat) {
  TMemoryStream target;
  TWaveStream wave(target);
  try {
    wave.OpenForWriting();
    FAIL();
  } catch (const EWaveStreamError& error) {
    EXPECT_EQ(error.Message(), L"Format is invalid");
  }
  EXPECT_EQ(target.Size(), 0) << "a refused open writes nothing";
  wave.SetPcmFormat(8000, 16, 1);
  wave.OpenForWriting();
  for (bool forWriting : {true, false}) {
    try {
      wave.OpenWave(forWriting);
      FAIL();
    } catch (const EWaveStreamError& error) {
      EXPECT_EQ(error.Message(), L"Stream has already been opened");
    }
  }
}

TEST(WaveWrite, ClosedStreamRefusesData) {
  TMemoryStream target;
  TWaveStream wave(target);
  uint8_t byte = 0;
  for (auto transfer : {+[](TWaveStream& w, uint8_t& b) { w.Read(&b, 1); },
                        +[](TWaveStream& w, uint8_t& b) { w.Write(&b, 1); }}) {
    try {
      transfer(wave, byte);
      FAIL();
    } catch (const EWaveStreamError& error) {
      EXPECT_EQ(error.Message(), L"Stream not opend");
    }
  }
  EXPECT_EQ(wave.Seek(10, soFromBeginning), 0) << "a closed stream has no data to seek in";
  EXPECT_EQ(wave.Seek(-10, soFromEnd), 0);
}

TEST(WaveWrite, CompleteHeaderRunsOnceAndLeavesTheTargetAtItsEnd) {
  TMemoryStream target;
  Bytes sound = Sound(4);
  TWaveStream wave(target);
  wave.SetPcmFormat(8000, 8, 1);
  wave.OpenForWriting();
  wave.WriteBuffer(sound.data(), 4);
  wave.CompleteHeader();
  EXPECT_EQ(target.Position(), 50);
  EXPECT_EQ(Le32At(target.Bytes(), 4), 42u);
  EXPECT_EQ(Le32At(target.Bytes(), 42), 4u);
}

TEST(WaveWrite, FileAlreadyInUseReportsTheFileError) {
  TTempFile file(L"busy.wav");
  TFileStream holder(file.Path(), fmCreate);
#ifdef _WIN32
  EXPECT_THROW(TWaveFileStream(file.Path(), fmOpenReadWrite | fmShareDenyNone), EFOpenError);
#endif
  EXPECT_THROW(TWaveFileStream(ScratchDirectory().wstring() + L"/missing/x.wav", fmCreate), EFCreateError);
}

// A recording updates its header while it goes on; whoever reads the file in
// between finds a whole wave file of the sound written up to the update, and
// the completed file is the one a stream without updates writes.
TEST(WaveWrite, UpdatedHeaderMakesAWholeFileOfTheSoundSoFar) {
  TTempFile updated(L"updated.wav");
  TTempFile plain(L"plain.wav");
  Bytes sound = Sound(3000);
  {
    TWaveFileStream wave(updated.Path(), fmCreate);
    TWaveFileStream reference(plain.Path(), fmCreate);
    for (TWaveFileStream* stream : {&wave, &reference}) {
      stream->SetPcmFormat(22050, 16, 2);
      stream->OpenForWriting();
    }
    wave.UpdateHeader();
    EXPECT_EQ(FileBytes(updated), ExpectedHeader(22050, 16, 2, 0)) << "a whole, empty file from the start";
    for (size_t written = 1000; written <= 3000; written += 1000) {
      for (TWaveFileStream* stream : {&wave, &reference}) stream->WriteBuffer(sound.data() + written - 1000, 1000);
      wave.UpdateHeader();
      EXPECT_EQ(FileBytes(updated), CompletedLayout(22050, 16, 2, sound, written)) << written;
      EXPECT_EQ(wave.Position(), static_cast<int32_t>(written)) << "writing goes on at the end";
    }
    wave.CompleteHeader();
    wave.UpdateHeader();
  }
  EXPECT_EQ(FileBytes(updated), FileBytes(plain));
  EXPECT_EQ(FileBytes(updated), CompletedLayout(22050, 16, 2, sound, 3000));

  TMemoryStream reading;
  Load(reading, CompletedLayout(8000, 8, 1, sound, 10));
  TWaveStream reader(reading);
  reader.OpenForReading();
  reader.UpdateHeader();
  EXPECT_EQ(reading.Bytes(), CompletedLayout(8000, 8, 1, sound, 10)) << "a stream opened for reading is left alone";
}

// A header write the target refuses leaves the target anywhere in the
// header: the next sound must still go to the end of the data.
TEST(WaveWrite, RefusedHeaderUpdateLeavesLaterSoundInItsPlace) {
  TRefusingStream target;
  Bytes sound = Sound(200);
  TWaveStream wave(target);
  wave.SetPcmFormat(8000, 8, 1);
  wave.OpenForWriting();
  wave.WriteBuffer(sound.data(), 100);
  wave.UpdateHeader();
  target.Refuse = true;
  EXPECT_THROW(wave.UpdateHeader(), EWriteError);
  target.Refuse = false;
  wave.WriteBuffer(sound.data() + 100, 100);
  wave.CompleteHeader();
  EXPECT_EQ(target.Bytes(), CompletedLayout(8000, 8, 1, sound, 200));
}

// A write cut off midway (a full disk) may leave part of a sample frame;
// the completed file ends on the last whole one.
TEST(WaveWrite, PartialLastFrameIsDroppedAndWholeFramesAreKept) {
  Bytes sound = Sound(1003);
  struct TCase {
    uint16_t Bits, Channels;
    size_t Written, Kept;
  };
  const TCase cases[] = {{16, 2, 1003, 1000}, {24, 1, 1003, 1002}, {8, 1, 1003, 1003}, {16, 2, 1000, 1000}};
  for (TCase c : cases) {
    TMemoryStream target;
    TWaveStream wave(target);
    wave.SetPcmFormat(8000, c.Bits, c.Channels);
    wave.OpenForWriting();
    wave.WriteBuffer(sound.data(), static_cast<int32_t>(c.Written));
    wave.DropPartialFrame();
    EXPECT_EQ(wave.WaveSize(), static_cast<int32_t>(c.Kept));
    EXPECT_EQ(wave.Position(), static_cast<int32_t>(c.Kept));
    wave.CompleteHeader();
    wave.DropPartialFrame();
    EXPECT_EQ(target.Bytes(), CompletedLayout(8000, c.Bits, c.Channels, sound, c.Kept)) << c.Bits << "x" << c.Channels;
  }
}

// A target that refuses the header leaves no layout behind: the stream stays
// closed, so neither writes nor its destruction put anything into the target,
// and opening again once there is room writes the whole header.
TEST(WaveWrite, HeaderTheTargetRefusesLeavesTheStreamClosed) {
  for (int32_t room : {0, 20}) {
    TCrampedStream target(room);
    {
      TWaveStream wave(target);
      wave.SetPcmFormat(8000, 16, 2);
      EXPECT_THROW(wave.OpenForWriting(), EWriteError) << room;
      EXPECT_EQ(wave.WaveSize(), 0);
      uint8_t frame[4] = {};
      EXPECT_THROW(wave.WriteBuffer(frame, 4), EWaveStreamError);
    }
    EXPECT_EQ(target.Size(), room) << "only what the refused write put there";
    Bytes header = ExpectedHeader(8000, 16, 2, 0);
    EXPECT_TRUE(std::equal(target.Bytes().begin(), target.Bytes().end(), header.begin())) << room;

    target.Room = 1000;
    target.SetPosition(0);
    TWaveStream wave(target);
    wave.SetPcmFormat(8000, 16, 2);
    wave.OpenForWriting();
    wave.CompleteHeader();
    EXPECT_EQ(target.Bytes(), header);
  }
}

// Sound is held back and handed to the target in larger blocks. When the
// target has no room for all of it, the data ends on the last whole sample
// frame the target took, the refusal is raised once, and completing the
// header then gives a whole wave file of exactly that sound, which a
// stream reading the target finds.
TEST(WaveWrite, SoundHeldBackThatTheTargetCannotTakeEndsOnAWholeFrame) {
  Bytes sound = Sound(3000);
  for (bool byUpdate : {true, false}) {
    TCrampedStream target(46 + 1001);
    TWaveStream wave(target);
    wave.SetPcmFormat(8000, 16, 2);
    wave.OpenForWriting();
    for (int32_t at = 0; at < 3000; at += 300) wave.WriteBuffer(sound.data() + at, 300);
    EXPECT_EQ(wave.WaveSize(), 3000) << "held back, not yet refused";
    if (byUpdate)
      EXPECT_THROW(wave.UpdateHeader(), EWriteError);
    else
      EXPECT_THROW(wave.CompleteHeader(), EWriteError);
    EXPECT_EQ(wave.WaveSize(), 1000) << "the 1001st byte would begin a frame";
    EXPECT_EQ(wave.Position(), 1000);
    wave.CompleteHeader();
    EXPECT_EQ(target.Bytes(), CompletedLayout(8000, 16, 2, sound, 1000)) << byUpdate;

    target.SetPosition(0);
    TWaveStream reader(target);
    reader.OpenForReading();
    EXPECT_EQ(reader.WaveSize(), 1000);
  }
}
