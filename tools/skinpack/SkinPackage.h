// Writing skin packages: the expanded layout the skin reader loads (header,
// name table, size table, the files back to back) and its checks on names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/core/Exception.h"

// A folder or package that the skin tools cannot take.
class ESkinToolError : public Exception {
 public:
  using Exception::Exception;
};

struct TPackageFile {
  std::string Name;
  std::vector<uint8_t> Bytes;
};

// Names CR LF separated, reserved words 0. Raises ESkinToolError for names the
// reader could not give back (see CheckStorableNames) or a package too large.
std::vector<uint8_t> ExpandedPackage(const std::vector<TPackageFile>& files, int32_t marker = 20000);

// Bare printable ASCII names, no two alike once lower-cased, at most 1001. The
// program reads names in its ANSI code page while this machine's are UTF-8, so
// other bytes would not name the same file on both sides.
void CheckStorableNames(const std::vector<std::string>& names);

// Sorted by byte order, with the one ".ini" description first, where the
// reader's search for ".ini" finds it; raises when there is none or more than one.
std::vector<std::string> PackageOrder(std::vector<std::string> names);

// Every NAME@2x.bmp among files has its NAME.bmp beside it, and both are
// BMP pictures, the @2x one exactly twice as wide and high; raises otherwise.
void CheckDoubleImages(const std::vector<TPackageFile>& files);

// A bare file name that can be written inside a folder (no separators, not
// "." or ".."), as unpacking needs.
bool IsBareFileName(const std::string& name);
