// Menu command numbers: 16 bits, handed out again once given back, the
// longest-free first, and refused when all are taken.
#include <gtest/gtest.h>

#include "support/RaisedMessage.h"
#include "toolkit/core/CommandPool.h"

TEST(CommandPool, NumbersComeBackInTheOrderTheyWereGivenBack) {
  TCommandPool pool(100, 103);
  EXPECT_EQ(pool.Take(), 100);
  EXPECT_EQ(pool.Take(), 101);
  pool.Give(101);
  pool.Give(100);
  EXPECT_EQ(pool.Take(), 102) << "fresh numbers go first";
  EXPECT_EQ(pool.Take(), 103);
  EXPECT_EQ(pool.Take(), 101);
  EXPECT_EQ(pool.Take(), 100);
  EXPECT_EQ(RaisedMessage([&] { pool.Take(); }), L"Too many menu commands");
  pool.Give(102);
  EXPECT_EQ(pool.Take(), 102);
}
