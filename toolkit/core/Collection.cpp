#include "toolkit/core/Collection.h"

#include "toolkit/core/Exception.h"

int TCollectionItem::Index() const { return FCollection->IndexOf(*this); }

TCollectionItem& TCollection::Item(int index) const {
  if (index < 0 || index >= Count()) throw EListError(index);
  return *FItems[static_cast<size_t>(index)];
}

int TCollection::IndexOf(const TCollectionItem& item) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[static_cast<size_t>(i)].get() == &item) return i;
  return -1;
}

void TCollection::Delete(int index) {
  Item(index);
  FItems.erase(FItems.begin() + index);
}

TCollectionItem& TCollection::Insert(std::unique_ptr<TCollectionItem> item) {
  FItems.push_back(std::move(item));
  return *FItems.back();
}
