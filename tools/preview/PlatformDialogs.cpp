#include "tools/preview/PlatformDialogs.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <objbase.h>
#include <shlobj.h>
#include <winspool.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "toolkit/platform/OwnedHandle.h"

namespace {

constexpr wchar_t kWaveFilter[] = L"录音 (*.wav)\0*.wav\0所有文件 (*.*)\0*.*\0";

// The sample recordings: the same names, sizes and times on every run.
constexpr std::array<const wchar_t*, 3> kSampleFolders = {L"采访", L"会议", L"音乐"};
constexpr int kSampleRecordings = 24;
constexpr SYSTEMTIME kSampleTime{2024, 5, 3, 17, 10, 30, 0, 0};

// The format page's and the files page's control identifiers (PlatformDialogs.rc).
enum : int {
  idMono = 201,
  idRate = 204,
  idAutoName = 205,
  idLength = 208,
  idLevel = 210,
  idGain = 214,
  idPath = 301,
  idFiles = 303,
  idAskFirst = 304,
};

// A file, or with backup semantics a folder, opened for access; none when it cannot be.
TKernelHandle OpenFile(const std::wstring& path, DWORD access, DWORD creation, DWORD flags = FILE_ATTRIBUTE_NORMAL) {
  HANDLE file =
      CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, creation, flags, nullptr);
  return TKernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

void SetFixedTime(const std::wstring& path, bool folder) {
  TKernelHandle file = OpenFile(path, FILE_WRITE_ATTRIBUTES, OPEN_EXISTING, folder ? FILE_FLAG_BACKUP_SEMANTICS : 0);
  if (!file) return;
  FILETIME local, utc;
  SystemTimeToFileTime(&kSampleTime, &local);
  LocalFileTimeToFileTime(&local, &utc);
  SetFileTime(file.Get(), &utc, &utc, &utc);
}

void FillFormatPage(HWND page) {
  CheckRadioButton(page, idMono, idMono + 1, idMono);
  for (const wchar_t* rate : {L"44100Hz", L"22050Hz", L"11025Hz", L"8000Hz"})
    SendDlgItemMessageW(page, idRate, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rate));
  SendDlgItemMessageW(page, idRate, CB_SETCURSEL, 0, 0);
  CheckDlgButton(page, idAutoName, BST_CHECKED);
  SendDlgItemMessageW(page, idLength, UDM_SETRANGE32, 1, 600);
  SendDlgItemMessageW(page, idLength, UDM_SETPOS32, 0, 60);
  SendDlgItemMessageW(page, idLevel, PBM_SETPOS, 60, 0);
  SendDlgItemMessageW(page, idGain, TBM_SETRANGE, FALSE, MAKELPARAM(0, 10));
  SendDlgItemMessageW(page, idGain, TBM_SETPOS, TRUE, 7);
}

void FillFilesPage(HWND page) {
  SetDlgItemTextW(page, idPath, L"C:\\temp.wav");
  CheckDlgButton(page, idAskFirst, BST_CHECKED);
  HWND list = GetDlgItem(page, idFiles);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  const std::array<std::pair<const wchar_t*, int>, 3> columns{{{L"文件", 120}, {L"时长", 60}, {L"大小", 80}}};
  for (int i = 0; i < int(columns.size()); ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = i == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
    column.cx = columns[size_t(i)].second;
    column.pszText = const_cast<wchar_t*>(columns[size_t(i)].first);
    SendMessageW(list, LVM_INSERTCOLUMNW, WPARAM(i), reinterpret_cast<LPARAM>(&column));
  }
  for (int row = 0; row < 16; ++row) {
    std::wstring name = L"录音 " + std::to_wstring(row + 1) + L".wav";
    std::wstring length = L"0:" + std::to_wstring(10 + row * 3);
    std::wstring size = std::to_wstring(88 * (row + 2)) + L" KB";
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = name.data();
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = length.data();
    SendMessageW(list, LVM_SETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 2;
    item.pszText = size.data();
    SendMessageW(list, LVM_SETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
  }
  ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
}

INT_PTR CALLBACK PageProc(HWND page, UINT msg, WPARAM, LPARAM lparam) {
  if (msg != WM_INITDIALOG) return FALSE;
  const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(lparam);
  if (sheetPage->lParam == 0)
    FillFormatPage(page);
  else
    FillFilesPage(page);
  return TRUE;
}

// The Open dialog's Details button: the folder's files with their sizes and
// times, under a column header.
constexpr WPARAM kDetailsView = 0xA004;

// The hook asks for the details view once the dialog has shown the folder.
UINT_PTR CALLBACK OpenHook(HWND part, UINT msg, WPARAM, LPARAM lparam) {
  if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lparam)->code == CDN_INITDONE)
    PostMessageW(GetParent(part), WM_COMMAND, kDetailsView, 0);
  return 0;
}

void ShowOpen(HWND owner, const std::wstring& folder) {
  std::wstring file(MAX_PATH, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kWaveFilter;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = DWORD(file.size());
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = L"打开录音";
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLEHOOK;
  dialog.lpfnHook = OpenHook;
  GetOpenFileNameW(&dialog);
}

void ShowColour(HWND owner) {
  static COLORREF custom[16] = {RGB(0xF0, 0xE6, 0xD2), RGB(0x33, 0x66, 0x99), RGB(0xC0, 0x30, 0x30)};
  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.rgbResult = RGB(0x33, 0x66, 0x99);
  dialog.lpCustColors = custom;
  dialog.Flags = CC_FULLOPEN | CC_RGBINIT | CC_ANYCOLOR;
  ChooseColorW(&dialog);
}

// The font list holds only the faces the project installs, so the picture
// is the same on every machine, whatever other fonts it has.
UINT_PTR CALLBACK KeepOwnFaces(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  constexpr std::array<std::wstring_view, 4> kOwnFaces = {L"SimSun", L"宋体", L"WenQuanYi Micro Hei",
                                                          L"WenQuanYi Micro Hei Mono"};
  HWND list = GetDlgItem(dialog, cmb1);
  for (LRESULT index = SendMessageW(list, CB_GETCOUNT, 0, 0) - 1; index >= 0; --index) {
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) continue;
    std::wstring face(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(face.data()));
    face.resize(static_cast<size_t>(length));
    if (std::find(kOwnFaces.begin(), kOwnFaces.end(), face) == kOwnFaces.end())
      SendMessageW(list, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
  }
  return TRUE;
}

void ShowFont(HWND owner) {
  LOGFONTW font{};
  font.lfHeight = -12;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  std::wstring_view face = L"宋体";
  face.copy(font.lfFaceName, face.size());
  CHOOSEFONTW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpLogFont = &font;
  dialog.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
  dialog.lpfnHook = &KeepOwnFaces;
  ChooseFontW(&dialog);
}

// The print dialogs need a printer; Wine has none without a print system.
// While one of these lives, a machine without a printer has one that prints
// to a file (the platform's PostScript driver with a description of A4 and
// Letter pages), as its default; it is removed again afterwards.
class TSamplePrinter {
 public:
  TSamplePrinter() {
    DWORD needed = 0, count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed > 0) return;
    if (!AddDriver()) return;
    PRINTER_INFO_2W printer{};
    printer.pPrinterName = const_cast<wchar_t*>(kPrinter);
    printer.pPortName = const_cast<wchar_t*>(L"FILE:");
    printer.pDriverName = const_cast<wchar_t*>(kDriver);
    printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    printer.pDatatype = const_cast<wchar_t*>(L"RAW");
    printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    FPrinter = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    if (FPrinter) SetDefaultPrinterW(kPrinter);
  }
  ~TSamplePrinter() {
    if (FPrinter) {
      DeletePrinter(FPrinter);
      ClosePrinter(FPrinter);
    }
    if (FDriverAdded) DeletePrinterDriverExW(nullptr, nullptr, const_cast<wchar_t*>(kDriver), DPD_DELETE_UNUSED_FILES, 0);
  }
  TSamplePrinter(const TSamplePrinter&) = delete;
  TSamplePrinter& operator=(const TSamplePrinter&) = delete;

 private:
  static constexpr wchar_t kPrinter[] = L"Quillmere";
  static constexpr wchar_t kDriver[] = L"Quillmere File Printer";
  static constexpr char kDescription[] =
      "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
      "*LanguageEncoding: ISOLatin1\n*PCFileName: \"QUILL.PPD\"\n*Manufacturer: \"Quillmere\"\n"
      "*ModelName: \"Quillmere File Printer\"\n*NickName: \"Quillmere File Printer\"\n*LanguageLevel: \"3\"\n"
      "*ColorDevice: True\n*DefaultColorSpace: RGB\n*TTRasterizer: Type42\n*DefaultResolution: 300dpi\n"
      "*OpenUI *PageSize/Page Size: PickOne\n*DefaultPageSize: A4\n"
      "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
      "*PageSize Letter/Letter: \"<</PageSize[612 792]>>setpagedevice\"\n*CloseUI: *PageSize\n"
      "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"18 36 577 806\"\n"
      "*ImageableArea Letter/Letter: \"18 36 594 756\"\n*DefaultPaperDimension: A4\n"
      "*PaperDimension A4/A4: \"595 842\"\n*PaperDimension Letter/Letter: \"612 792\"\n";

  // The driver copies its description from a file, which goes once it is copied.
  bool AddDriver() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    std::wstring path = std::wstring(temp) + L"quillmere.ppd";
    bool whole = false;
    if (TKernelHandle file = OpenFile(path, GENERIC_WRITE, CREATE_ALWAYS)) {
      DWORD written = 0;
      whole = WriteFile(file.Get(), kDescription, sizeof(kDescription) - 1, &written, nullptr) &&
              written == sizeof(kDescription) - 1;
    }
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<wchar_t*>(kDriver);
    driver.pDriverPath = driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
    driver.pDataFile = path.data();
    driver.pDefaultDataType = const_cast<wchar_t*>(L"RAW");
    FDriverAdded = whole && AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                                                APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY);
    DeleteFileW(path.c_str());
    return FDriverAdded;
  }

  HANDLE FPrinter = nullptr;
  bool FDriverAdded = false;
};

// The platform's printer choice hands back memory the caller frees.
void FreeDeviceMemory(HGLOBAL mode, HGLOBAL names) {
  if (mode) GlobalFree(mode);
  if (names) GlobalFree(names);
}

void ShowPrint(HWND owner) {
  TSamplePrinter printer;
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.Flags = PD_ALLPAGES | PD_NOSELECTION;
  dialog.nFromPage = 1;
  dialog.nToPage = 3;
  dialog.nMinPage = 1;
  dialog.nMaxPage = 9;
  dialog.nCopies = 1;
  PrintDlgW(&dialog);
  FreeDeviceMemory(dialog.hDevMode, dialog.hDevNames);
}

void ShowPageSetup(HWND owner) {
  TSamplePrinter printer;
  PAGESETUPDLGW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.Flags = PSD_INHUNDREDTHSOFMILLIMETERS | PSD_MARGINS;
  dialog.rtMargin = {2000, 2500, 2000, 2500};
  PageSetupDlgW(&dialog);
  FreeDeviceMemory(dialog.hDevMode, dialog.hDevNames);
}

// The find and replace dialogs are modeless: they live until their Cancel
// button (or the owner) destroys them, their keys handled as a dialog's.
void ShowFindOrReplace(HWND owner, bool replace) {
  std::array<wchar_t, 128> what{}, with{};
  std::wstring_view find = L"temp", by = L"recording";
  find.copy(what.data(), find.size());
  by.copy(with.data(), by.size());
  FINDREPLACEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.Flags = FR_DOWN;
  dialog.lpstrFindWhat = what.data();
  dialog.wFindWhatLen = WORD(what.size() * sizeof(wchar_t));
  dialog.lpstrReplaceWith = with.data();
  dialog.wReplaceWithLen = WORD(with.size() * sizeof(wchar_t));
  HWND shown = replace ? ReplaceTextW(&dialog) : FindTextW(&dialog);
  MSG msg;
  while (IsWindow(shown) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(shown, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

int CALLBACK FolderCallback(HWND dialog, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

void ShowFolder(HWND owner, const std::wstring& folder) {
  HRESULT com = OleInitialize(nullptr);
  BROWSEINFOW dialog{};
  dialog.hwndOwner = owner;
  dialog.lpszTitle = L"录音保存到哪个文件夹?";
  dialog.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  dialog.lpfn = FolderCallback;
  dialog.lParam = reinterpret_cast<LPARAM>(folder.c_str());
  if (LPITEMIDLIST chosen = SHBrowseForFolderW(&dialog)) CoTaskMemFree(chosen);
  if (SUCCEEDED(com)) OleUninitialize();
}

void ShowPropertySheet(HWND owner) {
  std::array<PROPSHEETPAGEW, kPageCount> pages{};
  const std::array<const wchar_t*, kPageCount> templates{L"QUILLPAGEFORMAT", L"QUILLPAGEFILES"};
  for (int i = 0; i < kPageCount; ++i) {
    PROPSHEETPAGEW& page = pages[size_t(i)];
    page.dwSize = sizeof(page);
    page.hInstance = GetModuleHandleW(nullptr);
    page.pszTemplate = templates[size_t(i)];
    page.pfnDlgProc = PageProc;
    page.lParam = i;
  }
  PROPSHEETHEADERW sheet{};
  sheet.dwSize = sizeof(sheet);
  sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP;
  sheet.hwndParent = owner;
  sheet.hInstance = GetModuleHandleW(nullptr);
  sheet.pszCaption = L"录音设置";
  sheet.nPages = kPageCount;
  sheet.ppsp = pages.data();
  PropertySheetW(&sheet);
}

HRESULT CALLBACK TaskCallback(HWND dialog, UINT msg, WPARAM, LPARAM, LONG_PTR) {
  if (msg == TDN_CREATED) SendMessageW(dialog, TDM_SET_PROGRESS_BAR_POS, 60, 0);
  return S_OK;
}

void ShowTaskDialog(HWND owner) {
  const TASKDIALOG_BUTTON buttons[] = {{IDYES, L"保存"}, {IDNO, L"放弃"}};
  const TASKDIALOG_BUTTON radios[] = {{101, L"保存为单声道"}, {102, L"保存为立体声"}};
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof(config);
  config.hwndParent = owner;
  config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_SHOW_PROGRESS_BAR | TDF_POSITION_RELATIVE_TO_WINDOW;
  config.dwCommonButtons = TDCBF_CANCEL_BUTTON;
  config.pszWindowTitle = L"Quillmere";
  config.pszMainIcon = TD_INFORMATION_ICON;
  config.pszMainInstruction = L"录音已停止";
  config.pszContent = L"已经录制了 2 分 14 秒。保存这段录音吗?";
  config.cButtons = UINT(std::size(buttons));
  config.pButtons = buttons;
  config.nDefaultButton = IDYES;
  config.cRadioButtons = UINT(std::size(radios));
  config.pRadioButtons = radios;
  config.pszVerificationText = L"不再询问";
  config.pfCallback = TaskCallback;
  TaskDialogIndirect(&config, nullptr, nullptr, nullptr);
}

}  // namespace

const wchar_t* PlatformDialogName(TPlatformDialog dialog) {
  constexpr std::array<const wchar_t*, kPlatformDialogCount> names{
      L"open", L"color", L"font", L"print", L"pagesetup", L"find", L"replace", L"folder", L"propsheet", L"taskdialog"};
  return names[size_t(dialog)];
}

void ShowPlatformDialog(TPlatformDialog dialog, HWND owner, const std::wstring& folder) {
  switch (dialog) {
    case pdOpen: return ShowOpen(owner, folder);
    case pdColour: return ShowColour(owner);
    case pdFont: return ShowFont(owner);
    case pdPrint: return ShowPrint(owner);
    case pdPageSetup: return ShowPageSetup(owner);
    case pdFind: return ShowFindOrReplace(owner, false);
    case pdReplace: return ShowFindOrReplace(owner, true);
    case pdFolder: return ShowFolder(owner, folder);
    case pdPropertySheet: return ShowPropertySheet(owner);
    case pdTaskDialog: return ShowTaskDialog(owner);
  }
}

HWND ShownDialogOf(HWND owner) {
  struct TSearch {
    HWND Owner;
    HWND Found = nullptr;
  } search{owner};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND wnd, LPARAM data) -> BOOL {
        auto& wanted = *reinterpret_cast<TSearch*>(data);
        wchar_t name[16] = {};
        GetClassNameW(wnd, name, 16);
        if (std::wstring_view(name) != L"#32770" || !IsWindowVisible(wnd) || GetWindow(wnd, GW_OWNER) != wanted.Owner)
          return TRUE;
        wanted.Found = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

void ClosePlatformDialog(HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }

std::wstring MakeSampleFolder() {
  wchar_t documents[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, documents);
  const std::wstring folder = std::wstring(documents) + L"\\录音";
  CreateDirectoryW(folder.c_str(), nullptr);
  for (const wchar_t* name : kSampleFolders) {
    std::wstring path = folder + L"\\" + name;
    CreateDirectoryW(path.c_str(), nullptr);
    SetFixedTime(path, true);
  }
  for (int i = 1; i <= kSampleRecordings; ++i) {
    std::wstring path = folder + L"\\录音 " + std::to_wstring(i) + L".wav";
    if (TKernelHandle file = OpenFile(path, GENERIC_WRITE, CREATE_ALWAYS)) {
      // Silence of a size that grows with the number, so the sizes differ.
      SetFilePointer(file.Get(), LONG(i * 4096), nullptr, FILE_BEGIN);
      SetEndOfFile(file.Get());
    }
    SetFixedTime(path, false);
  }
  SetFixedTime(folder, true);
  return folder;
}
