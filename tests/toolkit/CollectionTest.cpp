#include <gtest/gtest.h>

#include "toolkit/core/Collection.h"
#include "toolkit/core/Exception.h"

namespace {

int liveItems = 0;

class TCounted : public TCollectionItem {
 public:
  explicit TCounted(TCollection& collection) : TCollectionItem(collection) { ++liveItems; }
  ~TCounted() override { --liveItems; }
  int Value = 0;
};

}  // namespace

TEST(Collection, ItemsKnowTheirIndexAndCollection) {
  TCollectionOf<TCounted> items;
  TCounted& first = items.Add();
  TCounted& second = items.Add();
  second.Value = 5;
  EXPECT_EQ(items.Count(), 2);
  EXPECT_EQ(first.Index(), 0);
  EXPECT_EQ(second.Index(), 1);
  EXPECT_EQ(&second.Collection(), &items);
  EXPECT_EQ(items.Items(1).Value, 5);
  items.Delete(0);
  EXPECT_EQ(second.Index(), 0);
}

TEST(Collection, IndexOutsideTheListRaisesTheListError) {
  TCollectionOf<TCounted> items;
  items.Add();
  for (int bad : {-1, 1, 1000}) {
    try {
      items.Items(bad);
      FAIL() << bad;
    } catch (const EListError& error) {
      EXPECT_EQ(error.Message(), Format(L"List index out of bounds (%d)", {bad}));
    }
  }
  EXPECT_THROW(items.Delete(1), EListError);
  EXPECT_EQ(items.Count(), 1);
}

TEST(Collection, OwnsAndFreesItsItems) {
  {
    TCollectionOf<TCounted> items;
    items.Add();
    items.Add();
    items.Add();
    items.Delete(1);
    EXPECT_EQ(liveItems, 2);
  }
  EXPECT_EQ(liveItems, 0);
}
