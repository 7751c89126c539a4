#pragma once
// TiOPCItemManager: the data-link items of one instrument, owned in load
// order. It reaches its owner only through the callbacks the owner hands it,
// so this layer knows nothing of the instrument classes.
//
// Streamed as the instrument's extra property "OPCItems" (written only when
// there are items):
//
//   OPCItems = <
//     item
//       PropertyName = 'Position'
//       ...
//     end>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "instruments/opc/FramePacer.h"
#include "instruments/opc/ItemInbox.h"
#include "instruments/opc/OPCItem.h"

namespace tintoral {

class TObject;
class TReader;
class TWriter;
class TiOPCLibrary;

class TiOPCItemManager {
 public:
  struct Callbacks {
    std::function<bool()> isDesigning;                    // the owner's design state
    std::function<void(TiOPCItem&)> newData;              // a value arrived for the item
    std::function<int(const std::string&)> propertyKind;  // kind code of a (dotted) property name
    std::function<bool()> isLoading;                      // unset: the owner counts as loading
    std::function<void(bool)> setErrorFlag;               // unset: the owner has no error flag
    // Runs new-data deliveries on the owner's thread; unset: the library's.
    TiTaskPoster post;
    // A problem of the item (a value not taken, a write refused).
    std::function<void(TiOPCItem&, const std::string&)> reportProblem;
    // Puts this value of the item back into its property (a refused write
    // undone), without sending it to the server.
    std::function<void(TiOPCItem&, const TVariant&)> restoreValue;
    // With `post`: deliveries run together at most once per this time, so
    // that the owner repaints at most once per display frame (0: each runs
    // as posted).
    std::chrono::milliseconds deliveryFrame{0};
  };

  TiOPCItemManager(TObject* owner, Callbacks callbacks);
  ~TiOPCItemManager();
  TiOPCItemManager(const TiOPCItemManager&) = delete;
  TiOPCItemManager& operator=(const TiOPCItemManager&) = delete;

  TObject* Owner() const { return owner_; }
  int Count() const { return static_cast<int>(items_.size()); }
  bool HasItems() const { return !items_.empty(); }
  // Raises ListIndexError outside 0 .. Count() - 1.
  TiOPCItem& Items(int index) const;
  // -1 when the item is not in this list.
  int IndexOf(const TiOPCItem* item) const;
  // Appends a new item attached to this manager.
  TiOPCItem& Add();
  // Frees every item, first to last.
  void Clear();

  // The link library for items of this server name: the one of its scheme
  // (LinkLibraryFor) unless one was set for every item (nullptr restores
  // the choice by scheme).
  const TiOPCLibrary& LibraryFor(const std::string& serverName) const;
  void SetLibrary(const TiOPCLibrary* library) { library_ = library; }

  // Through the callbacks (false / 0 / nothing while a callback is unset).
  bool OwnerIsDesigning() const;
  bool OwnerIsLoading() const;
  int PropertyKindOf(const std::string& propertyName) const;
  void SetOwnerErrorFlag(bool value) const;
  void NewData(TiOPCItem& item) const;
  void ReportProblem(TiOPCItem& item, const std::string& message) const;
  void RestoreValue(TiOPCItem& item, const TVariant& value) const;
  // Runs the items' deliveries on the owner's thread (paced by deliveryFrame).
  const TiTaskPoster& Poster() const { return poster_; }

  // The list as the value of "OPCItems". Reading clears the list first and
  // runs each item's ItemLoaded after its properties. An item whose
  // settings cannot work (ItemCheck.h) raises StreamError at its line,
  // unless the owner is designed.
  void ReadItems(TReader& reader);
  void WriteItems(TWriter& writer) const;

 private:
  void CheckLoadedItem(const TiOPCItem& item) const;

  TObject* owner_;
  Callbacks callbacks_;
  std::unique_ptr<TiFramePacer> pacer_;
  TiTaskPoster poster_;
  const TiOPCLibrary* library_ = nullptr;
  std::vector<std::unique_ptr<TiOPCItem>> items_;
};

}  // namespace tintoral
