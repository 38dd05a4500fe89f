// An owning, index-checked list of items that know their collection, and its
// typed form whose Add creates items of one class.
#pragma once

#include <memory>
#include <vector>

class TCollection;

class TCollectionItem {
 public:
  explicit TCollectionItem(TCollection& collection) : FCollection(&collection) {}
  virtual ~TCollectionItem() = default;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection& Collection() const { return *FCollection; }
  int Index() const;

 private:
  TCollection* FCollection;
};

class TCollection {
 public:
  TCollection() = default;
  virtual ~TCollection() = default;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  // The item at index; "List index out of bounds (%d)" outside 0..Count-1.
  TCollectionItem& Item(int index) const;
  int IndexOf(const TCollectionItem& item) const;
  void Delete(int index);
  void Clear() { FItems.clear(); }

 protected:
  TCollectionItem& Insert(std::unique_ptr<TCollectionItem> item);

 private:
  std::vector<std::unique_ptr<TCollectionItem>> FItems;
};

template <class ItemClass>
class TCollectionOf : public TCollection {
 public:
  ItemClass& Add() { return static_cast<ItemClass&>(Insert(std::make_unique<ItemClass>(*this))); }
  ItemClass& Items(int index) const { return static_cast<ItemClass&>(Item(index)); }
};
