// The recorder's main window: choose a device, a format and a path, record
// the captured sound into a wave file, and see how much has been recorded.
#pragma once

#include <memory>
#include <string>

#include "capture/SoundCaptureStream.h"
#include "skin/model/SkinData.h"
#include "toolkit/forms/ExtCtrls.h"
#include "toolkit/forms/Form.h"
#include "toolkit/forms/SaveDialog.h"
#include "toolkit/forms/StatusBar.h"
#include "toolkit/forms/StdCtrls.h"
#include "wave/WaveFileStream.h"

class TMainForm : public TForm {
 public:
  explicit TMainForm(TComponent* owner);
  ~TMainForm() override;
  std::wstring ClassName() const override { return L"TMainForm"; }

  void FormCreate(TComponent* sender);
  void ComDriverChange(TComponent* sender);
  void B_StartClick(TComponent* sender);
  void B_StopClick(TComponent* sender);
  void WriteCapturedBlock(TSoundCaptureStream& sender);
  void CaptureFailed(TSoundCaptureStream& sender, const Exception& error);
  void Timer2Timer(TComponent* sender);
  void SpeedButton1Click(TComponent* sender);
  void FormClose(TComponent* sender, TCloseAction& action);
  void BitBtn1Click(TComponent* sender);
  void X1Click(TComponent* sender);
  void E1Click(TComponent* sender);
  void H01Click(TComponent* sender);
  void N2Click(TComponent* sender);
  void ShowApplicationHint(TComponent* sender);

 protected:
  // The file a recording goes into (tests put a file of their own behind it).
  virtual std::unique_ptr<TWaveFileStream> CreateWaveFile(const std::wstring& path);

 private:
  void PublishHandlers();
  void BindFields();
  void DestroyWaveFile();
  static void PassFocus(TWinControl& from, TWinControl& to);
  void ShowRecordedBytes(int32_t bytes);
  void KeepHeaderCurrent();
  void RecordingFailed(const Exception& error);

  TGroupBox* GroupBox1;
  TSpeedButton* SpeedButton1;
  TComboBox* ComDriver;
  TComboBox* Comwav;
  TEdit* FilePath;
  TBitBtn* B_Stop;
  TBitBtn* B_Start;
  TLabel* Label5;
  TStatusBar* Sb;
  TSaveDialog* SaveDialog;
  TTimer* Timer2;
  TSkinData* SkinData1;

  std::unique_ptr<TSoundCaptureStream> CaptureStream;
  std::unique_ptr<TWaveFileStream> WaveFile;
  std::wstring RecordPath;
  int32_t ElapsedSeconds = 0;
};

// Asks the shell to open link (a mail or web address) for wnd; raises, with
// the system's reason, when it cannot.
void OpenShellLink(HWND wnd, const std::wstring& link);
// The elapsed-time text of the status bar: hours:minutes:seconds without leading zeros.
std::wstring ElapsedText(int32_t seconds);
// "%dHz %dbit %s", the channel count named Mono or Stereo.
std::wstring FormatText(const TSoundCaptureFormat& format);
