// The non-client objects' states under the mouse: what a click, a move to
// another object and a release elsewhere do, and what is repainted.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "skin/engine/NCObject.h"

namespace {

// Records each repaint as the object's name and the state it showed.
class TRecordingObject : public TNCObject {
 public:
  TRecordingObject(TNCObjectOwner& owner, char name, std::string& log) : TNCObject(owner), FName(name), FLog(log) {
    Visible = true;
  }
  void Paint() override { FLog += FName + std::to_string(State) + " "; }

 private:
  char FName;
  std::string& FLog;
};

}  // namespace

TEST(NCObject, PressMoveAwayAndRelease) {
  TNCObjectOwner owner;
  std::string log;
  TRecordingObject close(owner, 'c', log), minimise(owner, 'm', log);

  close.Enter();
  close.Enter();
  EXPECT_EQ(log, "c3 ") << "entering the hot object again repaints nothing";
  close.Press();
  EXPECT_TRUE(close.IsHot());
  minimise.Enter();
  EXPECT_EQ(log, "c3 c2 c1 m3 ") << "the pressed object leaves when the mouse reaches another";
  EXPECT_FALSE(close.IsHot()) << "so releasing over the other one does not run the close action";

  log.clear();
  minimise.Press();
  minimise.Release();
  EXPECT_EQ(log, "m2 m3 ");
  EXPECT_TRUE(minimise.IsHot()) << "the released object runs its action";
  minimise.Leave();
  EXPECT_EQ(owner.HotObject, nullptr);
  EXPECT_EQ(minimise.State, nsNormal);
}

TEST(NCObject, InvisibleObjectsIgnoreTheMouse) {
  TNCObjectOwner owner;
  std::string log;
  TRecordingObject shown(owner, 's', log), hidden(owner, 'h', log);
  hidden.Visible = false;
  shown.Enter();
  hidden.Press();
  EXPECT_EQ(log, "s3 s1 ") << "the hot object still leaves";
  EXPECT_EQ(owner.HotObject, nullptr);
  hidden.Release();
  hidden.Enter();
  EXPECT_EQ(hidden.State, nsNormal);
  EXPECT_EQ(log, "s3 s1 ");
}

TEST(NCObject, FreeingTheHotObjectClearsIt) {
  TNCObjectOwner owner;
  std::string log;
  auto button = std::make_unique<TRecordingObject>(owner, 'b', log);
  button->Press();
  button.reset();
  EXPECT_EQ(owner.HotObject, nullptr);
  TRecordingObject other(owner, 'o', log);
  other.Enter();  // would reach the freed button through the owner (caught by the sanitizers)
  EXPECT_TRUE(other.IsHot());
}
