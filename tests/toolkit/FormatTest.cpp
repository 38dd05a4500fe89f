#include <gtest/gtest.h>

#include "toolkit/core/Exception.h"
#include "toolkit/core/Utf8.h"

TEST(Format, InsertsTextsAndNumbersInOrder) {
  EXPECT_EQ(Format(L"%dHz %dbit %s", {44100, 16, L"Mono"}), L"44100Hz 16bit Mono");
  EXPECT_EQ(Format(L"已经录制了 %d  字节 ", {1046}), L"已经录制了 1046  字节 ");
  EXPECT_EQ(Format(L"%u %x %%", {-1, 255}), L"4294967295 FF %");
  EXPECT_EQ(Format(L"[%5d|%-4s]", {42, L"ab"}), L"[   42|ab  ]");
}

TEST(Format, BadFormatsNeverReadPastTheArguments) {
  EXPECT_EQ(Format(L"%s and %s", {L"one"}), L"one and %s");
  EXPECT_EQ(Format(L"%d", {L"text"}), L"%d");
  EXPECT_EQ(Format(L"%q %s", {L"x"}), L"%q x");
  EXPECT_EQ(Format(L"ends with %", {}), L"ends with %");
  EXPECT_EQ(Format(L"%12", {1}), L"%12");
}

TEST(Exception, MessagesAreExactAndWhatIsUtf8) {
  EXPECT_EQ(EListError(7).Message(), L"List index out of bounds (7)");
  EXPECT_EQ(EListError(-1).Message(), L"List index out of bounds (-1)");
  Exception error(L"%s cannot be made", {L"录音"});
  EXPECT_EQ(error.Message(), L"录音 cannot be made");
  EXPECT_STREQ(error.what(), "\xE5\xBD\x95\xE9\x9F\xB3 cannot be made");
}

TEST(Utf8, RoundTripsEveryPlane) {
  std::wstring text = L"a\u00E9\u5B8B\U0001F3B5z";
  EXPECT_EQ(ToUtf8(text), "a\xC3\xA9\xE5\xAE\x8B\xF0\x9F\x8E\xB5z");
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(FromUtf8("\xE5\xAE"), L"\uFFFD\uFFFD");        // truncated sequence
  EXPECT_EQ(FromUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");        // overlong '/'
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(FromUtf8("\xFF" "a"), L"\uFFFD" L"a");
}
