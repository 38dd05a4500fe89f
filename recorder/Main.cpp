#include "recorder/Main.h"

#include <shellapi.h>

#include "capture/CaptureDrivers.h"
#include "recorder/UAbout.h"
#include "toolkit/forms/LayoutResource.h"
#include "toolkit/platform/Application.h"
#include "toolkit/platform/SystemError.h"

namespace {

const wchar_t* const ChannelNames[] = {L"Mono", L"Stereo"};
const wchar_t kDefaultFormat[] = L"44100Hz 16bit Mono";
const wchar_t kMakerMail[] = L"mailto:quillmere@example.org";
const wchar_t kMakerHomePage[] = L"http://quillmere.example.org/";

const wchar_t kComDriverHint[] =
    L"选择不同的声音来源就可以实现内录（电脑音箱发出的声音）\r\n或外录（麦克风）的功能。";
const wchar_t kComwavHint[] =
    L"不同的声音格式可以产品不同的声音质量，当然越高的声音质\r\n量所产生的的文件也就越大。一般情况下我们选择 \r\n44100Hz 16bits";
const wchar_t kFilePathHint[] = L"保存临时文件的目录。";

// Runs write on file; a write the system refused is raised again naming the
// file and the system's reason, which the stream's own error leaves out.
template <typename Write>
void WriteWaveFile(TWaveFileStream& file, Write write) {
  try {
    write();
  } catch (const EWriteError&) {
    std::wstring reason = file.FailureReason();
    if (reason.empty()) throw;
    throw EFWriteError(file.FileName(), reason);
  }
}

// The system error that a result of the shell's ShellExecute (32 or less) stands for.
DWORD ShellError(INT_PTR result) {
  switch (result) {
    case 0: return ERROR_NOT_ENOUGH_MEMORY;
    case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
    case SE_ERR_ASSOCINCOMPLETE: case SE_ERR_NOASSOC: return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT: case SE_ERR_DDEFAIL: case SE_ERR_DDEBUSY: return ERROR_DDE_FAIL;
    case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
    default: return static_cast<DWORD>(result);  // the others are system error codes already
  }
}

}  // namespace

void OpenShellLink(HWND wnd, const std::wstring& link) {
  auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(wnd, L"open", link.c_str(), nullptr, nullptr, SW_SHOW));
  if (result <= 32) throw Exception(L"Cannot open \"%s\". %s", {link, SystemErrorText(ShellError(result))});
}

std::wstring ElapsedText(int32_t seconds) {
  int32_t hours = seconds / 3600, minutes = (seconds % 3600) / 60, rest = (seconds % 3600) % 60;
  return Format(L"%d:%d:%d", {hours, minutes, rest});
}

std::wstring FormatText(const TSoundCaptureFormat& format) {
  const wchar_t* channels = format.Channels == 2 ? ChannelNames[1] : ChannelNames[0];
  return Format(L"%dHz %dbit %s", {format.SamplesPerSec, format.BitsPerSample, channels});
}

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
  PublishHandlers();
  // The skin component is the program's, not the toolkit's: layouts learn of it here.
  LayoutClasses().Register<TSkinData>(L"TSkinData");
  ReadLayout(L"TMAINFORM");
  BindFields();
}

TMainForm::~TMainForm() {
  CaptureStream.reset();
  WaveFile.reset();
}

void TMainForm::PublishHandlers() {
  Publish(L"FormCreate", TNotifyEvent::Of<&TMainForm::FormCreate>(*this));
  Publish(L"FormClose", TCloseEvent::Of<&TMainForm::FormClose>(*this));
  Publish(L"ComDriverChange", TNotifyEvent::Of<&TMainForm::ComDriverChange>(*this));
  Publish(L"B_StartClick", TNotifyEvent::Of<&TMainForm::B_StartClick>(*this));
  Publish(L"B_StopClick", TNotifyEvent::Of<&TMainForm::B_StopClick>(*this));
  Publish(L"Timer2Timer", TNotifyEvent::Of<&TMainForm::Timer2Timer>(*this));
  Publish(L"SpeedButton1Click", TNotifyEvent::Of<&TMainForm::SpeedButton1Click>(*this));
  Publish(L"BitBtn1Click", TNotifyEvent::Of<&TMainForm::BitBtn1Click>(*this));
  Publish(L"X1Click", TNotifyEvent::Of<&TMainForm::X1Click>(*this));
  Publish(L"E1Click", TNotifyEvent::Of<&TMainForm::E1Click>(*this));
  Publish(L"H01Click", TNotifyEvent::Of<&TMainForm::H01Click>(*this));
  Publish(L"N2Click", TNotifyEvent::Of<&TMainForm::N2Click>(*this));
}

void TMainForm::BindFields() {
  GroupBox1 = Field<TGroupBox>(L"GroupBox1");
  SpeedButton1 = Field<TSpeedButton>(L"SpeedButton1");
  ComDriver = Field<TComboBox>(L"ComDriver");
  Comwav = Field<TComboBox>(L"Comwav");
  FilePath = Field<TEdit>(L"FilePath");
  B_Stop = Field<TBitBtn>(L"B_Stop");
  B_Start = Field<TBitBtn>(L"B_Start");
  Label5 = Field<TLabel>(L"Label5");
  Sb = Field<TStatusBar>(L"Sb");
  SaveDialog = Field<TSaveDialog>(L"SaveDialog");
  Timer2 = Field<TTimer>(L"Timer2");
  SkinData1 = Field<TSkinData>(L"SkinData1");
}

void TMainForm::FormCreate(TComponent*) {
  Application.SetOnHint(TNotifyEvent::Of<&TMainForm::ShowApplicationHint>(*this));
  ComDriver->SetHint(kComDriverHint);
  Comwav->SetHint(kComwavHint);
  FilePath->SetHint(kFilePathHint);
  TDirectXDrivers& drivers = CaptureDrivers();
  for (int i = 0; i < drivers.Count(); ++i) ComDriver->AddItem(drivers.Items(i).Description());
  ComDriver->SetItemIndex(0);
  ComDriverChange(nullptr);
}

// The stream opens the device selected in ComDriver; with none selected, the default one.
void TMainForm::ComDriverChange(TComponent*) {
  CaptureStream.reset();
  const GUID* device = nullptr;
  int index = ComDriver->ItemIndex();
  if (index >= 0 && index < CaptureDrivers().Count()) device = CaptureDrivers().Items(index).Guid();
  CaptureStream = std::make_unique<TSoundCaptureStream>(device);
  Comwav->ClearItems();
  const TSoundCaptureFormats& formats = CaptureStream->Formats();
  for (int i = 0; i < formats.Count(); ++i) {
    std::wstring text = FormatText(formats.Items(i));
    Comwav->AddItem(text);
    if (text == kDefaultFormat) Comwav->SetItemIndex(i);
  }
}

// Whatever can fail before the file is touched comes first (the capture
// stream, the chosen format, the device's start), so that a start that fails
// leaves a file already at the path as it was. The ring keeps what is
// captured until the file is ready for it.
void TMainForm::B_StartClick(TComponent*) {
  ElapsedSeconds = 0;
  RecordPath = FilePath->Text();
  if (CaptureStream) CaptureStream->Stop();
  WaveFile.reset();
  try {
    if (!CaptureStream) throw Exception(L"No capture device is open");
    const int32_t index = Comwav->ItemIndex();
    const TSoundCaptureFormat& format = CaptureStream->Formats().Items(index);
    CaptureStream->SetOnDataAvailable({});
    CaptureStream->SetFormatIndex(index);
    CaptureStream->Start();
    WaveFile = CreateWaveFile(RecordPath);
    WaveFile->SetPcmFormat(format.SamplesPerSec, format.BitsPerSample, format.Channels);
    // From here on the file is a whole wave file, however the recording ends.
    WriteWaveFile(*WaveFile, [this] {
      WaveFile->OpenWave(true);
      WaveFile->UpdateHeader();
    });
    CaptureStream->SetOnCaptureError(TCaptureErrorEvent::Of<&TMainForm::CaptureFailed>(*this));
    CaptureStream->SetOnDataAvailable(TDataAvailableEvent::Of<&TMainForm::WriteCapturedBlock>(*this));
  } catch (...) {
    B_StopClick(nullptr);
    throw;
  }
  B_Stop->SetEnabled(true);
  PassFocus(*B_Start, *B_Stop);
  B_Start->SetEnabled(false);
  GroupBox1->SetEnabled(false);
  Timer2->SetEnabled(true);
  ShowRecordedBytes(0);
  Sb->Panels().Items(1).SetText(ElapsedText(0));
}

// A button about to be disabled hands the keyboard focus on to the one that
// takes its place: the platform drops the focus of a disabled window, and
// the keys typed then would go nowhere.
void TMainForm::PassFocus(TWinControl& from, TWinControl& to) {
  if (from.HandleAllocated() && GetFocus() == from.Handle() && to.HandleAllocated()) SetFocus(to.Handle());
}

std::unique_ptr<TWaveFileStream> TMainForm::CreateWaveFile(const std::wstring& path) {
  return std::make_unique<TWaveFileStream>(path, fmCreate);
}

// An error here reaches CaptureFailed once the capture stream has stopped.
void TMainForm::WriteCapturedBlock(TSoundCaptureStream&) {
  int32_t available = CaptureStream->AvailableBytes();
  WriteWaveFile(*WaveFile, [&] { WaveFile->CopyFrom(*CaptureStream, available); });
  ShowRecordedBytes(WaveFile->WaveSize());
}

void TMainForm::ShowRecordedBytes(int32_t bytes) {
  Sb->Panels().Items(0).SetText(Format(L"已经录制了 %d  字节 ", {bytes}));
}

// The capture ended on its own: the device failed, or a block could not be
// written (a full disk, a lost drive, the file's size limit).
void TMainForm::CaptureFailed(TSoundCaptureStream&, const Exception& error) { RecordingFailed(error); }

// A recording that cannot go on ends as the stop button ends one, keeping
// every whole sample frame written; then, and only then, the error is shown.
// Should completing the file fail as well, the first error is the one that
// tells the user why.
void TMainForm::RecordingFailed(const Exception& error) {
  try {
    B_StopClick(nullptr);
  } catch (const Exception&) {
    // error, shown below, already tells what went wrong with the file
  }
  Application.HandleException(error);
}

void TMainForm::B_StopClick(TComponent*) {
  B_Start->SetEnabled(true);
  PassFocus(*B_Stop, *B_Start);
  B_Stop->SetEnabled(false);
  Timer2->SetEnabled(false);
  GroupBox1->SetEnabled(true);
  if (CaptureStream) CaptureStream->Stop();
  DestroyWaveFile();
}

// The header is completed before the file goes, so a failed write of the
// sizes or of the sound still held back is reported instead of leaving a file
// that claims no sound. A write cut short may have added sound since the
// count was shown, ending in part of a sample frame, or the disk may refuse
// the sound held back: the file then ends on its last whole frame, it is
// completed as it closes, and the count shown is the file's.
void TMainForm::DestroyWaveFile() {
  if (!WaveFile) return;
  std::unique_ptr<TWaveFileStream> file = std::move(WaveFile);
  std::exception_ptr failure;
  try {
    WriteWaveFile(*file, [&] {
      file->DropPartialFrame();
      file->CompleteHeader();
    });
  } catch (const Exception&) {
    failure = std::current_exception();
  }
  const int32_t recorded = file->WaveSize();
  file.reset();
  if (recorded > 0) ShowRecordedBytes(recorded);
  if (failure) std::rethrow_exception(failure);
}

// The capture's waiting steps run here, with the messages that wait beside
// them, which may end the recording (the time then stands still). The timer
// also ticks inside modal loops (a drop-down, the about window, a drag of the
// title): keys and clicks stay queued for the loop they belong to.
void TMainForm::Timer2Timer(TComponent*) {
  Application.ProcessMessagesLeavingInput();
  if (!WaveFile) return;
  ++ElapsedSeconds;
  Sb->Panels().Items(1).SetText(ElapsedText(ElapsedSeconds));
  KeepHeaderCurrent();
  Application.ProcessMessagesLeavingInput();
}

// Once a second the file's sizes catch up with the sound written, so a
// recording cut off by a crash or a power loss is a playable file up to
// the last second.
void TMainForm::KeepHeaderCurrent() {
  try {
    WriteWaveFile(*WaveFile, [this] { WaveFile->UpdateHeader(); });
  } catch (const Exception& error) {
    RecordingFailed(error);
  }
}

void TMainForm::SpeedButton1Click(TComponent*) {
  if (SaveDialog->Execute()) FilePath->SetText(SaveDialog->FileName());
}

// The window closes whatever becomes of the recording: a file that cannot be
// completed is reported, and the close goes on.
void TMainForm::FormClose(TComponent*, TCloseAction&) {
  try {
    B_StopClick(nullptr);
  } catch (...) {
    Application.HandleCurrentException();
  }
  CaptureStream.reset();
  Hide();
}

void TMainForm::BitBtn1Click(TComponent*) { Close(); }

void TMainForm::X1Click(TComponent*) { Close(); }

void TMainForm::E1Click(TComponent*) { OpenShellLink(Handle(), kMakerMail); }

void TMainForm::H01Click(TComponent*) { OpenShellLink(Handle(), kMakerHomePage); }

// Each about window goes when its modal show ends, rather than piling up
// under the main window until the program closes.
void TMainForm::N2Click(TComponent*) {
  std::unique_ptr<TAboutForm> about(new TAboutForm(this));
  about->ShowModal();
}

void TMainForm::ShowApplicationHint(TComponent*) { Label5->SetText(Application.Hint()); }
