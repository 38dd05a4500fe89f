// The capture device list, from a scripted enumeration and from the real
// devices behind PulseAudio. Every case runs in its own process (ctest), so
// each starts before the list's first use.
#include <gtest/gtest.h>

#include "ScriptedCaptureDevice.h"
#include "capture/CaptureDrivers.h"
#include "capture/DXClass.h"
#include "capture/SoundCaptureStream.h"
#include "support/RaisedMessage.h"

namespace {

const GUID kMicrophone{0x11111111, 0x2222, 0x3333, {4, 4, 4, 4, 4, 4, 4, 4}};
const GUID kLineIn{0xAAAAAAAA, 0xBBBB, 0xCCCC, {9, 9, 9, 9, 9, 9, 9, 9}};

void AddDevice(TScriptedCaptureDevice& device, const GUID* guid, std::string description, std::string module) {
  device.Devices.push_back({guid ? std::make_unique<GUID>(*guid) : nullptr, std::move(description), std::move(module)});
}

FARPROC MissingDirectSound(const std::wstring&, const std::string& entryName) {
  return LoadDirectXEntry(L"QuillNoSuchSound.dll", entryName);
}

}  // namespace

TEST(CaptureDrivers, ListsEveryReportedDeviceInOrderWithOwnGuidCopies) {
  TScriptedCaptureDevice device;
  AddDevice(device, nullptr, "Primary Sound Capture Driver", "");
  AddDevice(device, &kMicrophone, "Microphone", "mic.drv");
  AddDevice(device, &kLineIn, "Line In", "line.drv");
  TDirectXDrivers& drivers = CaptureDrivers();
  *device.Devices[1].Guid = kLineIn;  // the system's copy goes away after the call

  ASSERT_EQ(drivers.Count(), 3);
  EXPECT_EQ(drivers.Items(0).Guid(), nullptr);
  EXPECT_EQ(drivers.Items(0).Description(), L"Primary Sound Capture Driver");
  EXPECT_EQ(drivers.Items(0).Module(), L"");
  ASSERT_NE(drivers.Items(1).Guid(), nullptr);
  EXPECT_TRUE(IsEqualGUID(*drivers.Items(1).Guid(), kMicrophone));
  EXPECT_EQ(drivers.Items(1).Description(), L"Microphone");
  EXPECT_EQ(drivers.Items(1).Module(), L"mic.drv");
  EXPECT_TRUE(IsEqualGUID(*drivers.Items(2).Guid(), kLineIn));
  EXPECT_THROW(drivers.Items(3), EListError);
}

TEST(CaptureDrivers, SecondCallReturnsTheSameListWithoutEnumeratingAgain) {
  TScriptedCaptureDevice device;
  AddDevice(device, nullptr, "Primary", "");
  TDirectXDrivers& first = CaptureDrivers();
  AddDevice(device, &kMicrophone, "Plugged in later", "");
  EXPECT_EQ(&CaptureDrivers(), &first);
  EXPECT_EQ(first.Count(), 1);
  EXPECT_EQ(device.Enumerations, 1);
}

TEST(CaptureDrivers, FailingEnumerationKeepsTheDevicesReportedSoFar) {
  TScriptedCaptureDevice device;
  device.EnumerateResult = DSERR_NODRIVER;
  AddDevice(device, nullptr, "Primary", "");
  EXPECT_EQ(CaptureDrivers().Count(), 1);
}

TEST(CaptureDrivers, SystemWithoutDevicesGivesAnEmptyList) {
  TScriptedCaptureDevice device;
  EXPECT_EQ(CaptureDrivers().Count(), 0);
}

TEST(CaptureDrivers, MissingDirectSoundRaisesAndKeepsNoList) {
  TScriptedCaptureDevice device;
  AddDevice(device, nullptr, "Primary", "");
  TDirectXEntrySource scripted = SetDirectXEntrySource(&MissingDirectSound);
  EXPECT_EQ(RaisedMessage([] { CaptureDrivers(); }), L"Necessary since DirectX 5");
  EXPECT_THROW(CaptureDrivers(), EDirectXError);
  SetDirectXEntrySource(scripted);
  EXPECT_EQ(CaptureDrivers().Count(), 1) << "the next call tries again";
}

TEST(CaptureDrivers, RealSystemListsThePrimaryDeviceFirstThenDevicesWithGuids) {
  TDirectXDrivers& drivers = CaptureDrivers();
  ASSERT_GE(drivers.Count(), 2) << "PulseAudio's sources should be listed";
  EXPECT_EQ(drivers.Items(0).Guid(), nullptr);
  for (int i = 0; i < drivers.Count(); ++i) {
    EXPECT_FALSE(drivers.Items(i).Description().empty()) << i;
    if (i > 0) {
      EXPECT_NE(drivers.Items(i).Guid(), nullptr) << i;
    }
  }
}

TEST(CaptureDrivers, RealDeviceOpensByItsListedGuid) {
  TDirectXDrivers& drivers = CaptureDrivers();
  ASSERT_GE(drivers.Count(), 2);
  TSoundCaptureStream stream(drivers.Items(1).Guid());
  EXPECT_GT(stream.Formats().Count(), 0);
}
