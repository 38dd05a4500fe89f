// Capture throughput and fidelity at 96000 Hz, 32 bits, stereo from the
// session's 440 Hz tone:
//   bench_capture stream SECONDS FILE   the capture stream, driven as the recorder
//                                       drives it, into a wave file
//   bench_capture bare SECONDS          a bare loop over the same DirectSound calls
//   bench_capture analyse FILE RATE BITS CHANNELS   a raw PCM file from elsewhere
// Each mode prints one line of key=value figures; bench/capture.sh compares them.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "capture/DirectSoundEntries.h"
#include "capture/SoundCaptureStream.h"
#include "support/ToneAnalysis.h"
#include "toolkit/platform/Application.h"
#include "toolkit/platform/FileStream.h"
#include "wave/WaveFileStream.h"

namespace {

constexpr int kRate = 96000;
constexpr int kBits = 32;
constexpr int kChannels = 2;
constexpr int kBytesPerSecond = kRate * kBits / 8 * kChannels;
constexpr double kSteadyAfterSeconds = 5;
constexpr DWORD kPollMilliseconds = 50;

double Now() { return static_cast<double>(GetTickCount64()) / 1000; }

double ProcessCpuSeconds() {
  FILETIME creation, exit, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
  auto seconds = [](FILETIME time) {
    return static_cast<double>(ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

// Sound seconds per wall second after the start-up phase.
class TSteadyRate {
 public:
  void Record(int64_t bytes) {
    double now = Now();
    if (FStart == 0) FStart = now;
    if (FMarkTime == 0 && now - FStart >= kSteadyAfterSeconds) {
      FMarkTime = now;
      FMarkBytes = bytes;
    }
    FLastTime = now;
    FLastBytes = bytes;
  }
  double Value() const {
    if (FMarkTime == 0 || FLastTime <= FMarkTime) return 0;
    return static_cast<double>(FLastBytes - FMarkBytes) / kBytesPerSecond / (FLastTime - FMarkTime);
  }

 private:
  double FStart = 0, FMarkTime = 0, FLastTime = 0;
  int64_t FMarkBytes = 0, FLastBytes = 0;
};

int Discontinuities(const std::vector<uint8_t>& data, int rate, int bits, int channels) {
  int worst = 0;
  for (int channel = 0; channel < channels; ++channel) {
    TToneReport tone = AnalyseTone(ChannelSamples(data.data(), data.size(), bits, channels, channel), rate);
    worst = std::max(worst, tone.Discontinuities);
  }
  return worst;
}

void PrintFigures(const char* mode, double steady, int64_t bytes, int discontinuities, double cpu) {
  double seconds = static_cast<double>(bytes) / kBytesPerSecond;
  std::printf("%s: seconds=%.4f recorded_s=%.2f discontinuities=%d cpu_s=%.3f cpu_per_s=%.5f\n", mode, steady,
              seconds, discontinuities, cpu, seconds > 0 ? cpu / seconds : 0);
}

struct TRecorder {
  TWaveStream& Wave;
  TSteadyRate Rate;
  int64_t Bytes = 0;
  std::vector<uint8_t> Batch;

  void Write(TSoundCaptureStream& stream) {
    Batch.resize(static_cast<size_t>(stream.AvailableBytes()));
    int32_t count = static_cast<int32_t>(Batch.size());
    stream.Read(Batch.data(), count);
    Wave.WriteBuffer(Batch.data(), count);
    Bytes += count;
    Rate.Record(Bytes);
  }
};

std::vector<uint8_t> ReadWaveData(const std::wstring& path) {
  TWaveFileStream wave(path, fmOpenRead);
  wave.OpenForReading();
  std::vector<uint8_t> data(static_cast<size_t>(wave.WaveSize()));
  wave.ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
  return data;
}

int RecordStream(double seconds, const std::wstring& path) {
  double cpuBefore = ProcessCpuSeconds();  // Wine's process start-up is not the recording's
  TSoundCaptureStream stream(nullptr);
  stream.SetFormatIndex(stream.Formats().IndexOf(kRate, kBits, kChannels));
  double steady = 0;
  int64_t bytes = 0;
  {
    TWaveFileStream wave(path, fmCreate);
    wave.SetPcmFormat(kRate, kBits, kChannels);
    wave.OpenForWriting();
    TRecorder recorder{wave, {}, 0, {}};
    stream.SetOnDataAvailable(TDataAvailableEvent::Of<&TRecorder::Write>(recorder));
    stream.Start();
    Application.ProcessMessagesFor(static_cast<DWORD>(seconds * 1000));
    stream.Stop();
    steady = recorder.Rate.Value();
    bytes = recorder.Bytes;
  }
  double cpu = ProcessCpuSeconds() - cpuBefore;
  PrintFigures("stream", steady, bytes, Discontinuities(ReadWaveData(path), kRate, kBits, kChannels), cpu);
  return 0;
}

// The platform's ceiling: the same device calls, no stream, thread or file.
int RecordBare(double seconds) {
  double cpuBefore = ProcessCpuSeconds();
  TComRef<IDirectSoundCapture> device;
  TComRef<IDirectSoundCaptureBuffer> buffer;
  TWaveFormatEx format{};
  FillPcmFormat(format, kRate, kBits, kChannels);
  if (CallDirectSoundCaptureCreate(nullptr, device) != 0 ||
      CreateCaptureBuffer(*device.Get(), format, kBytesPerSecond, buffer) != 0) {
    std::printf("bare: no capture device\n");
    return 1;
  }
  std::vector<uint8_t> data;
  data.reserve(static_cast<size_t>(seconds * kBytesPerSecond * 1.1));
  TSteadyRate rate;
  DWORD offset = 0;
  buffer->Start(DSCBSTART_LOOPING);
  for (double end = Now() + seconds; Now() < end; Sleep(kPollMilliseconds)) {
    DWORD capture = 0, read = 0;
    if (buffer->GetCurrentPosition(&capture, &read) != 0) continue;
    DWORD available = (read + kBytesPerSecond - offset) % kBytesPerSecond;
    void *region1 = nullptr, *region2 = nullptr;
    DWORD length1 = 0, length2 = 0;
    if (available == 0 || buffer->Lock(offset, available, &region1, &length1, &region2, &length2, 0) != 0) continue;
    data.insert(data.end(), static_cast<uint8_t*>(region1), static_cast<uint8_t*>(region1) + length1);
    if (region2) data.insert(data.end(), static_cast<uint8_t*>(region2), static_cast<uint8_t*>(region2) + length2);
    buffer->Unlock(region1, length1, region2, length2);
    offset = (offset + length1 + length2) % kBytesPerSecond;
    rate.Record(static_cast<int64_t>(data.size()));
  }
  buffer->Stop();
  double cpu = ProcessCpuSeconds() - cpuBefore;
  PrintFigures("bare", rate.Value(), static_cast<int64_t>(data.size()),
               Discontinuities(data, kRate, kBits, kChannels), cpu);
  return 0;
}

int AnalyseRaw(const std::wstring& path, int rate, int bits, int channels) {
  TFileStream file(path, fmOpenRead | fmShareDenyNone);
  std::vector<uint8_t> data(static_cast<size_t>(file.Size()));
  file.ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
  std::printf("analyse: recorded_s=%.2f discontinuities=%d\n",
              static_cast<double>(data.size()) / (rate * bits / 8 * channels),
              Discontinuities(data, rate, bits, channels));
  return 0;
}

int Usage() {
  std::printf("usage: bench_capture stream SECONDS FILE | bare SECONDS | analyse FILE RATE BITS CHANNELS\n");
  return 2;
}

int Run(const std::vector<std::wstring>& args) {
  if (args.size() == 4 && args[1] == L"stream") return RecordStream(std::stod(args[2]), args[3]);
  if (args.size() == 3 && args[1] == L"bare") return RecordBare(std::stod(args[2]));
  if (args.size() == 6 && args[1] == L"analyse")
    return AnalyseRaw(args[2], std::stoi(args[3]), std::stoi(args[4]), std::stoi(args[5]));
  return Usage();
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> args(argv, argv + count);
  LocalFree(argv);
  struct TPrintErrors {
    void Print(const std::exception& error) { std::printf("error: %ls\n", ExceptionText(error).c_str()); }
  } printer;
  Application.SetOnException(TApplication::TExceptionEvent::Of<&TPrintErrors::Print>(printer));
  try {
    return Run(args);
  } catch (const std::exception& error) {
    std::printf("error: %ls\n", ExceptionText(error).c_str());
    return 1;
  }
}
