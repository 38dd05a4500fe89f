// The main window as a user meets it, recording from the scripted capture
// device: which device and format it offers after start-up and after a
// device change, starts that must fail without touching the file at the
// path, the status bar from one recording to the next, closing while the
// file cannot be completed, the hints under the mouse, and links the shell
// cannot open.
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "RecorderWindow.h"
#include "TempFiles.h"
#include "support/MouseInput.h"
#include "support/RaisedMessage.h"
#include "toolkit/platform/Thread.h"
#include "wave/WaveFormat.h"

namespace {

constexpr GUID kLineIn = {0x1a2b3c4d, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr GUID kOldCard = {0x5e6f7a8b, 0x3333, 0x4444, {8, 7, 6, 5, 4, 3, 2, 1}};

TDeviceInfo DeviceNamed(const char* description, const GUID* guid) {
  return {guid ? std::make_unique<GUID>(*guid) : nullptr, description, "scripted.drv"};
}

TWaveFormatEx Pcm(uint32_t rate, uint16_t bits, uint16_t channels) {
  TWaveFormatEx format{};
  FillPcmFormat(format, rate, bits, channels);
  return format;
}

std::vector<std::wstring> Items(TComboBox& combo) {
  std::vector<std::wstring> items;
  for (int i = 0; i < combo.ItemCount(); ++i) items.push_back(combo.Item(i));
  return items;
}

std::wstring SelectedText(TComboBox& combo) {
  int index = combo.ItemIndex();
  return index < 0 ? L"(none)" : combo.Item(index);
}

// A device picked in the list as the user picks it: the list's selection
// changes and the platform tells the combo box's parent.
void ChooseDevice(TComboBox& combo, int index) {
  HWND wnd = combo.Handle();
  SendMessageW(wnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(GetParent(wnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(wnd), CBN_SELCHANGE), reinterpret_cast<LPARAM>(wnd));
}

// Replaces the text of a combo box's edit part by typing, as a user would.
void TypeInto(TComboBox& combo, const std::wstring& text) {
  HWND edit = GetWindow(combo.Handle(), GW_CHILD);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 0);
  Application.ProcessMessages();
}

std::string FileText(const TTempFile& file) {
  std::ifstream in(file.FsPath(), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// A file the disk stops taking sound for when told to, as a drive that is
// pulled or fills up does.
class TRefusingFile : public TFileStream {
 public:
  explicit TRefusingFile(const std::wstring& path, bool& refuse) : TFileStream(path, fmCreate), Refuse(refuse) {}
  int32_t Write(const void* buffer, int32_t count) override { return Refuse ? 0 : TFileStream::Write(buffer, count); }
  bool& Refuse;
};

class TRefusingRecorder : public TMainForm {
 public:
  using TMainForm::TMainForm;
  bool Refuse = false;

 protected:
  std::unique_ptr<TWaveFileStream> CreateWaveFile(const std::wstring& path) override {
    return std::make_unique<TWaveFileStream>(std::make_unique<TRefusingFile>(path, Refuse));
  }
};

// The application's tool tip window and the text of the tool it holds, if any.
std::wstring ToolTipText() {
  HWND tip = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND wnd, LPARAM found) {
        wchar_t name[64] = {};
        GetClassNameW(wnd, name, 64);
        if (std::wstring(name) != TOOLTIPS_CLASSW) return TRUE;
        *reinterpret_cast<HWND*>(found) = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&tip));
  if (!tip || SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0) == 0) return L"";
  wchar_t text[512] = {};
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.lpszText = text;
  SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
  return text;
}

void MoveMouseTo(POINT screen) {
  SendMouseMove(screen);
  Application.ProcessMessagesFor(150);
}

POINT CentreOf(HWND wnd) {
  RECT rect;
  GetWindowRect(wnd, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

class MainWindow : public RecorderWindow {
 protected:
  void SetUp() override {
    Device.Devices.push_back(DeviceNamed("Primary Sound Driver", nullptr));
    Device.Devices.push_back(DeviceNamed("Line In", &kLineIn));
    Device.Devices.push_back(DeviceNamed("Old Card", &kOldCard));
    Application.Initialize();
  }
  void TearDown() override { Application.SetOnHint({}); }

  void StartRecording(TMainForm& form, const TTempFile& file) {
    Named<TEdit>(form, L"FilePath").SetText(file.Path());
    Press(form, L"B_Start");
    EXPECT_TRUE(Recording(form));
  }
  // The device delivers a twentieth of a second per position query, and some of it is written.
  void CaptureAWhile() {
    Device.LastBuffer().AdvancePerPositionCall = 4410;
    WaitFor([&] { return Device.LastBuffer().LockOffsets.size() >= 3; });
  }

  const std::wstring kDefault = L"44100Hz 16bit Mono";
};

}  // namespace

// The default format is chosen after start-up and after every device change
// that offers it; a device without it leaves no format chosen, and starting
// then fails with the list's error while the file already at the path stays
// as it was, also when the format's very text was typed into the box.
TEST_F(MainWindow, DeviceChangesOfferTheirOwnFormatsAndAFailedStartLeavesTheFileAlone) {
  TMainForm form(nullptr);
  Open(form);
  auto& devices = Named<TComboBox>(form, L"ComDriver");
  auto& formats = Named<TComboBox>(form, L"Comwav");
  EXPECT_EQ(Items(devices), (std::vector<std::wstring>{L"Primary Sound Driver", L"Line In", L"Old Card"}));
  EXPECT_EQ(devices.ItemIndex(), 0);
  ASSERT_FALSE(Device.OpenedGuids.empty());
  EXPECT_EQ(Device.OpenedGuids.back(), GUID_NULL) << "the primary device has no identity";
  EXPECT_EQ(formats.ItemCount(), 56);
  EXPECT_EQ(SelectedText(formats), kDefault);
  EXPECT_EQ(formats.Item(17), L"22050Hz 8bit Stereo") << "after the eight of each lower rate";

  Device.AcceptAll = false;
  Device.Accepted = {Pcm(22050, 8, 2), Pcm(48000, 16, 2)};
  ChooseDevice(devices, 2);
  EXPECT_EQ(Device.OpenedGuids.back(), kOldCard);
  EXPECT_EQ(Items(formats), (std::vector<std::wstring>{L"22050Hz 8bit Stereo", L"48000Hz 16bit Stereo"}));
  EXPECT_EQ(SelectedText(formats), L"(none)");

  TTempFile file(L"precious.wav");
  std::ofstream(file.FsPath(), std::ios::binary) << "nineteen seconds of sound";
  Named<TEdit>(form, L"FilePath").SetText(file.Path());
  const size_t buffersBefore = Device.Buffers.size();
  Press(form, L"B_Start");
  EXPECT_EQ(Shown.Texts, std::vector<std::wstring>{L"List index out of bounds (-1)"});
  ExpectIdle(form);
  EXPECT_EQ(FileText(file), "nineteen seconds of sound");
  EXPECT_EQ(Device.Buffers.size(), buffersBefore) << "no ring was made for a start that could not be";

  Device.AcceptAll = true;
  ChooseDevice(devices, 1);
  EXPECT_EQ(Device.OpenedGuids.back(), kLineIn);
  EXPECT_EQ(SelectedText(formats), kDefault);
  TypeInto(formats, kDefault);
  ASSERT_EQ(formats.ItemIndex(), -1) << "typing chooses no item";
  Press(form, L"B_Start");
  EXPECT_EQ(Shown.Texts.size(), 2u);
  EXPECT_EQ(Shown.Texts.back(), L"List index out of bounds (-1)");
  ExpectIdle(form);
  EXPECT_EQ(FileText(file), "nineteen seconds of sound");
}

TEST_F(MainWindow, WithoutDevicesTheListIsEmptyAndTheDefaultDeviceIsOpened) {
  Device.Devices.clear();
  TMainForm form(nullptr);
  Open(form);
  auto& devices = Named<TComboBox>(form, L"ComDriver");
  EXPECT_EQ(devices.ItemCount(), 0);
  EXPECT_EQ(devices.ItemIndex(), -1);
  EXPECT_EQ(Device.OpenedGuids, std::vector<GUID>{GUID_NULL}) << "the device change ran all the same";
  EXPECT_EQ(SelectedText(Named<TComboBox>(form, L"Comwav")), kDefault);
}

// Each recording counts from nothing: the status bar shows no bytes and no
// time at once, not the last recording's until the first tick; it keeps the
// last texts after a stop; and over an hour the time reads without leading
// zeros. A file already at the path is emptied first.
TEST_F(MainWindow, StatusBarStartsFromNothingAtEachRecordingAndKeepsItsTextsAfterAStop) {
  TMainForm form(nullptr);
  Open(form);
  TTempFile file(L"counted.wav");
  std::ofstream(file.FsPath(), std::ios::binary) << std::string(100000, 'x');
  StartRecording(form, file);
  EXPECT_EQ(Panel(form, 0), L"已经录制了 0  字节 ");
  EXPECT_EQ(Panel(form, 1), L"0:0:0");
  CaptureAWhile();
  for (int second = 0; second < 65; ++second) form.Timer2Timer(nullptr);
  Press(form, L"B_Stop");
  ASSERT_FALSE(Recording(form));
  const std::wstring bytes = Panel(form, 0);
  EXPECT_NE(bytes, L"已经录制了 0  字节 ");
  EXPECT_EQ(Panel(form, 1), L"0:1:5") << "the last time stays after a stop";
  const std::string wave = FileText(file);
  EXPECT_EQ(wave.substr(0, 4), "RIFF");
  EXPECT_EQ(bytes, L"已经录制了 " + std::to_wstring(wave.size() - 46) + L"  字节 ")
      << "nothing of the old file is left";

  Press(form, L"B_Start");
  ASSERT_TRUE(Recording(form));
  EXPECT_EQ(Panel(form, 0), L"已经录制了 0  字节 ");
  EXPECT_EQ(Panel(form, 1), L"0:0:0");
  // This test is the clock: the window's own timer would add its seconds.
  Named<TTimer>(form, L"Timer2").SetEnabled(false);
  for (int second = 0; second < 3725; ++second) form.Timer2Timer(nullptr);
  EXPECT_EQ(Panel(form, 1), L"1:2:5");
  EXPECT_TRUE(Shown.Texts.empty());
}

// Closing while the file cannot be completed shows why once, and the window
// still closes and lets the device go.
TEST_F(MainWindow, ClosingWhileTheFileCannotBeCompletedStillClosesTheWindow) {
  TRefusingRecorder form(nullptr);
  Open(form);
  TTempFile file(L"unfinished.wav");
  StartRecording(form, file);
  CaptureAWhile();
  form.Refuse = true;
  SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(Shown.Texts, std::vector<std::wstring>{L"Stream write error"});
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  EXPECT_EQ(Device.LiveObjects, 0) << "the capture stream is gone with the device";
  EXPECT_TRUE(Named<TBitBtn>(form, L"B_Start").Enabled());
}

// The hint label and the tool tip show the hint of the control under the
// mouse, and both clear when the mouse leaves the window, also from the edit
// part of a combo box.
TEST_F(MainWindow, HintsFollowTheMouseAndClearWhenItLeavesTheWindow) {
  TMainForm form(nullptr);
  Open(form);
  SetForegroundWindow(form.Handle());
  auto& label = Named<TLabel>(form, L"Label5");
  const POINT outside{GetSystemMetrics(SM_CXSCREEN) - 3, GetSystemMetrics(SM_CYSCREEN) - 3};
  RECT frame;
  GetWindowRect(form.Handle(), &frame);
  ASSERT_FALSE(PtInRect(&frame, outside)) << "the window covers the corner the mouse leaves to";
  for (const wchar_t* name : {L"ComDriver", L"Comwav", L"FilePath"}) {
    auto& control = Named<TWinControl>(form, name);
    HWND part = GetWindow(control.Handle(), GW_CHILD);  // a combo box's edit part
    MoveMouseTo(outside);
    MoveMouseTo(CentreOf(part ? part : control.Handle()));
    WaitFor([&] { return label.Text() == control.Hint(); });
    EXPECT_EQ(label.Text(), control.Hint()) << name;
    EXPECT_EQ(ToolTipText(), control.Hint()) << name;
    MoveMouseTo(outside);
    WaitFor([&] { return label.Text().empty(); });
    EXPECT_EQ(label.Text(), L"") << name << ": the hint stayed after the mouse left";
    EXPECT_EQ(ToolTipText(), L"") << name;
  }
}

TEST(MainWindowLinks, LinkTheShellCannotOpenIsReportedWithTheSystemsReason) {
  const std::wstring link = L"quillmere-no-such-scheme:nowhere";
  std::wstring message = RaisedMessage([&] { OpenShellLink(nullptr, link); });
  const std::wstring expected = L"Cannot open \"" + link + L"\". ";
  EXPECT_EQ(message.substr(0, expected.size()), expected) << message;
  EXPECT_GT(message.size(), expected.size()) << "the system's reason follows";
}

// The timer also ticks inside modal loops (a drop-down's, the about window's,
// a title-bar drag): its pump lets the waiting capture steps and messages run,
// and leaves every key and click queued for the loop that owns them.
TEST_F(MainWindow, TheTimersPumpRunsWaitingStepsAndLeavesKeysAndClicksQueued) {
  TMainForm form(nullptr);
  Open(form);
  TTempFile file(L"pumped.wav");
  StartRecording(form, file);
  Named<TTimer>(form, L"Timer2").SetEnabled(false);
  Application.ProcessMessages();
  HWND wnd = form.Handle();
  const UINT input[] = {WM_KEYDOWN, WM_CHAR, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_NCLBUTTONDOWN, WM_MOUSEMOVE};
  for (UINT msg : input) PostMessageW(wnd, msg, 0, 0);
  bool stepRan = false;
  std::thread capture([&] { TThread::Synchronize([&] { stepRan = true; }); });
  WaitForSingleObject(SyncRequestEvent(), 5000);
  PostMessageW(wnd, WM_APP, 0, 0);  // not input: taken and dispatched
  form.Timer2Timer(nullptr);
  capture.join();
  EXPECT_TRUE(stepRan) << "a step the capture thread waits on runs inside the timer";
  EXPECT_EQ(Panel(form, 1), L"0:0:1");
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, wnd, WM_APP, WM_APP, PM_NOREMOVE));
  std::vector<UINT> queued;
  while (PeekMessageW(&msg, wnd, 0, 0, PM_REMOVE))
    if (std::find(std::begin(input), std::end(input), msg.message) != std::end(input)) queued.push_back(msg.message);
  EXPECT_EQ(queued, std::vector<UINT>(std::begin(input), std::end(input))) << "input stays queued, in order";
  Press(form, L"B_Stop");
}

// Recording from the keyboard: Space on 录音 starts and leaves the focus on
// 停止, whose Space stops and gives it back, as each button is disabled in
// turn (the platform drops the focus of a disabled window).
TEST_F(MainWindow, SpaceStartsAndStopsWithTheFocusPassingBetweenTheButtons) {
  TMainForm form(nullptr);
  Open(form);
  TTempFile file(L"keyboard.wav");
  Named<TEdit>(form, L"FilePath").SetText(file.Path());
  HWND start = Named<TWinControl>(form, L"B_Start").Handle();
  HWND stop = Named<TWinControl>(form, L"B_Stop").Handle();
  SetForegroundWindow(form.Handle());
  const auto space = [](HWND button) {
    SetFocus(button);
    ASSERT_EQ(GetFocus(), button);
    PostMessageW(button, WM_KEYDOWN, VK_SPACE, 0x00390001);
    PostMessageW(button, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
    Application.ProcessMessagesFor(100);
  };
  for (int round = 0; round < 2; ++round) {
    space(start);
    ASSERT_TRUE(Recording(form)) << "round " << round;
    EXPECT_EQ(GetFocus(), stop) << "round " << round;
    CaptureAWhile();
    space(GetFocus());
    ASSERT_FALSE(Recording(form)) << "round " << round;
    EXPECT_EQ(GetFocus(), start) << "round " << round;
  }
  EXPECT_EQ(FileText(file).substr(0, 4), "RIFF");
  EXPECT_TRUE(Shown.Texts.empty());
}
