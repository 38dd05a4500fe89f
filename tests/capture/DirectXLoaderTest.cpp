// The run-time loader on the real "DSound.dll", its cache and its errors.
#include <gtest/gtest.h>

#include "ScriptedCaptureDevice.h"
#include "capture/DXClass.h"
#include "capture/DirectSoundEntries.h"
#include "capture/SoundCaptureStream.h"
#include "support/RaisedMessage.h"

namespace {

FARPROC MissingLibrary(const std::wstring&, const std::string& entryName) {
  return LoadDirectXEntry(L"QuillNoSuchSound.dll", entryName);
}

FARPROC MissingEntry(const std::wstring& libraryName, const std::string&) {
  return LoadDirectXEntry(libraryName, "QuillNoSuchEntry");
}

// The real loader's errors as the wrappers meet them.
class DirectXWrappers : public ::testing::TestWithParam<TDirectXEntrySource> {
 protected:
  void SetUp() override { Previous = SetDirectXEntrySource(GetParam()); }
  void TearDown() override { SetDirectXEntrySource(Previous); }
  TDirectXEntrySource Previous = nullptr;
};

}  // namespace

TEST(DirectXLoader, LoadsDSoundOnceForNamesDifferingInCase) {
  FARPROC create = LoadDirectXEntry(L"DSound.dll", "DirectSoundCaptureCreate");
  ASSERT_NE(create, nullptr);
  ASSERT_EQ(LoadedLibraries().Count(), 1);
  EXPECT_EQ(LoadedLibraries().Names(0), L"dsound.dll");
  HMODULE module = LoadedLibraries().Modules(0);
  EXPECT_EQ(module, GetModuleHandleW(L"dsound.dll"));

  FARPROC enumerate = LoadDirectXEntry(L"DSOUND.DLL", "DirectSoundCaptureEnumerateA");
  EXPECT_EQ(LoadDirectXEntry(L"dsound.dll", "DirectSoundCaptureCreate"), create);
  EXPECT_EQ(LoadedLibraries().Count(), 1);
  EXPECT_EQ(enumerate, GetProcAddress(module, "DirectSoundCaptureEnumerateA"));
}

TEST(DirectXLoader, MissingLibraryOrEntryIsNotLoaded) {
  EXPECT_EQ(RaisedMessage([] { LoadDirectXEntry(L"QuillNoSuchSound.dll", "DirectSoundCaptureCreate"); }),
            L"QuillNoSuchSound.dll not loaded");
  EXPECT_EQ(LoadedLibraries().Count(), 0) << "a library that failed is not cached";
  EXPECT_EQ(RaisedMessage([] { LoadDirectXEntry(L"DSound.dll", "QuillNoSuchEntry"); }), L"DSound.dll not loaded");
  EXPECT_EQ(LoadedLibraries().Count(), 1) << "the library itself loaded";
  EXPECT_EQ(RaisedMessage([] { LoadDirectXEntry(L"", "DirectSoundCaptureCreate"); }), L" not loaded");
}

TEST(DirectXLoader, LibrariesAreReleasedWithTheirList) {
  ASSERT_EQ(GetModuleHandleW(L"msacm32.dll"), nullptr) << "pick a library nothing else loads";
  {
    TLoadedLibraries libraries;
    libraries.Add(L"msacm32.dll", TModuleHandle(LoadLibraryW(L"msacm32.dll")));
    EXPECT_EQ(libraries.Find(L"msacm32.dll"), GetModuleHandleW(L"msacm32.dll"));
    EXPECT_EQ(libraries.Find(L"MSACM32.DLL"), nullptr) << "the list holds lower-cased names only";
    EXPECT_THROW(libraries.Names(1), EListError);
  }
  EXPECT_EQ(GetModuleHandleW(L"msacm32.dll"), nullptr);
}

TEST_P(DirectXWrappers, TurnLoaderErrorsIntoNecessarySinceDirectX5) {
  TComRef<IDirectSoundCapture> device;
  EXPECT_EQ(RaisedMessage([&] { CallDirectSoundCaptureCreate(nullptr, device); }), L"Necessary since DirectX 5");
  EXPECT_EQ(RaisedMessage([] { CallDirectSoundCaptureEnumerateA(nullptr, nullptr); }), L"Necessary since DirectX 5");
  EXPECT_THROW(TSoundCaptureStream stream(nullptr), EDirectXError);
}

INSTANTIATE_TEST_SUITE_P(Missing, DirectXWrappers, ::testing::Values(&MissingLibrary, &MissingEntry));

TEST(DirectXLoader, RealWrapperOpensTheDefaultDevice) {
  TComRef<IDirectSoundCapture> device;
  EXPECT_EQ(CallDirectSoundCaptureCreate(nullptr, device), S_OK);
  EXPECT_TRUE(device);
}
