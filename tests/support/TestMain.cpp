// The test programs' entry point. Under Wine a test process has been seen to
// hang in the platform's process teardown after every test had run and
// passed (once in several hundred processes), until ctest's time limit
// failed it. Once the results are written there is nothing left to check, so
// on Windows the process ends at once with the result; the recorder's own
// exit is exercised by the end-to-end tests.
//
// The runner learns that main began through the file QUILL_MAIN_MARK names
// (see tools/harness/wine-exec).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
  if (const char* mark = std::getenv("QUILL_MAIN_MARK"))
    if (FILE* file = std::fopen(mark, "w")) std::fclose(file);
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::fflush(nullptr);
#ifdef _WIN32
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
#endif
  return result;
}
