#include "capture/CaptureDrivers.h"

#include <exception>
#include <memory>

#include "capture/DXClass.h"
#include "capture/DirectSoundEntries.h"
#include "toolkit/platform/AnsiText.h"

namespace {

struct TEnumeration {
  TDirectXDrivers& Drivers;
  std::exception_ptr Error;
};

// Called by the system inside the enumeration; nothing may be raised across it.
BOOL CALLBACK AddCaptureDriver(GUID* guid, const char* description, const char* module, void* context) {
  auto& enumeration = *static_cast<TEnumeration*>(context);
  try {
    TDirectXDriver& driver = enumeration.Drivers.Add();
    driver.SetGuid(guid);
    driver.SetDescription(FromAnsi(description));
    driver.SetModule(FromAnsi(module));
    return TRUE;
  } catch (...) {
    enumeration.Error = std::current_exception();
    return FALSE;
  }
}

std::unique_ptr<TDirectXDrivers> EnumerateCaptureDrivers() {
  auto drivers = std::make_unique<TDirectXDrivers>();
  TEnumeration enumeration{*drivers, nullptr};
  CallDirectSoundCaptureEnumerateA(&AddCaptureDriver, &enumeration);  // its result is ignored: partial lists stand
  if (enumeration.Error) std::rethrow_exception(enumeration.Error);
  return drivers;
}

// The list's owner. It makes sure the loader's cache exists before itself, so
// that at program end the list is freed before the libraries are released.
class TCaptureDriverList {
 public:
  TCaptureDriverList() { LoadedLibraries(); }
  TDirectXDrivers& Get() {
    if (!FDrivers) FDrivers = EnumerateCaptureDrivers();
    return *FDrivers;
  }

 private:
  std::unique_ptr<TDirectXDrivers> FDrivers;
};

}  // namespace

TDirectXDrivers& CaptureDrivers() {
  static TCaptureDriverList list;
  return list.Get();
}
