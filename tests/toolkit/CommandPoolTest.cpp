// Menu command numbers: 16 bits, handed out again once given back, the
// longest-free first, and refused when all are taken.
#include <gtest/gtest.h>

#include <set>
#include <vector>

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

TEST(CommandPool, SeventyThousandTakenAndGivenBackStayInRange) {
  TCommandPool pool(100, 0xFEFF);
  std::set<uint16_t> live;
  for (int round = 0; round < 70; ++round) {
    std::vector<uint16_t> taken;
    for (int i = 0; i < 1000; ++i) {
      uint16_t command = pool.Take();
      EXPECT_TRUE(command >= 100 && command <= 0xFEFF);
      EXPECT_TRUE(live.insert(command).second) << "given out twice: " << command;
      taken.push_back(command);
    }
    for (uint16_t command : taken) {
      pool.Give(command);
      live.erase(command);
    }
  }
}
