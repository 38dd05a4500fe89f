#include "toolkit/core/Exception.h"

#include "toolkit/core/Utf8.h"

Exception::Exception(std::wstring message) : FMessage(std::move(message)), FUtf8(ToUtf8(FMessage)) {}

Exception::Exception(std::wstring_view format, std::initializer_list<FormatArg> args)
    : Exception(Format(format, args)) {}

EListError::EListError(int index) : Exception(L"List index out of bounds (%d)", {index}) {}
