#include "toolkit/platform/FileStream.h"

EFCreateError::EFCreateError(const std::wstring& fileName, const std::wstring& reason)
    : EStreamError(L"Cannot create file \"%s\". %s", {fileName, reason}) {}

EFOpenError::EFOpenError(const std::wstring& fileName, const std::wstring& reason)
    : EStreamError(L"Cannot open file \"%s\". %s", {fileName, reason}) {}

EFWriteError::EFWriteError(const std::wstring& fileName, const std::wstring& reason)
    : EStreamError(L"Cannot write file \"%s\". %s", {fileName, reason}) {}
