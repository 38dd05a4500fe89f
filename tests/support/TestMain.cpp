// The test programs' entry point. The runner learns that main began through
// the file QUILL_MAIN_MARK names (see tools/harness/wine-exec): a program
// that ended before that never ran a test, and is started once more.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (const char* mark = std::getenv("QUILL_MAIN_MARK"))
    if (FILE* file = std::fopen(mark, "w")) std::fclose(file);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
