#include "instruments/opc/ItemManager.h"

#include "instruments/opc/ItemCheck.h"
#include "instruments/opc/OPCLibrary.h"
#include "runtime/Component.h"
#include "runtime/Exception.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"

namespace tintoral {

TiOPCItemManager::TiOPCItemManager(TObject* owner, Callbacks callbacks)
    : owner_(owner), callbacks_(std::move(callbacks)) {
  if (callbacks_.post && callbacks_.deliveryFrame.count() > 0)
    pacer_ = std::make_unique<TiFramePacer>(callbacks_.post, callbacks_.deliveryFrame);
  poster_ = pacer_ ? pacer_->Poster() : callbacks_.post;
}

TiOPCItemManager::~TiOPCItemManager() { Clear(); }

TiOPCItem& TiOPCItemManager::Items(int index) const {
  if (index < 0 || index >= Count()) throw ListIndexError("List index out of bounds (" + std::to_string(index) + ")");
  return *items_[static_cast<std::size_t>(index)];
}

int TiOPCItemManager::IndexOf(const TiOPCItem* item) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<std::size_t>(i)].get() == item) return i;
  return -1;
}

TiOPCItem& TiOPCItemManager::Add() {
  auto item = std::make_unique<TiOPCItem>();
  item->SetManager(this);
  items_.push_back(std::move(item));
  return *items_.back();
}

void TiOPCItemManager::Clear() {
  // First to last; the list is emptied before the items go, so nothing can
  // reach a freed item through it meanwhile.
  std::vector<std::unique_ptr<TiOPCItem>> items;
  items.swap(items_);
  for (auto& item : items) item.reset();
}

const TiOPCLibrary& TiOPCItemManager::LibraryFor(const std::string& serverName) const {
  return library_ ? *library_ : LinkLibraryFor(serverName);
}

bool TiOPCItemManager::OwnerIsDesigning() const { return callbacks_.isDesigning && callbacks_.isDesigning(); }

bool TiOPCItemManager::OwnerIsLoading() const { return !callbacks_.isLoading || callbacks_.isLoading(); }

void TiOPCItemManager::SetOwnerErrorFlag(bool value) const {
  if (callbacks_.setErrorFlag) callbacks_.setErrorFlag(value);
}

int TiOPCItemManager::PropertyKindOf(const std::string& propertyName) const {
  return callbacks_.propertyKind ? callbacks_.propertyKind(propertyName) : 0;
}

void TiOPCItemManager::NewData(TiOPCItem& item) const {
  if (callbacks_.newData) callbacks_.newData(item);
}

void TiOPCItemManager::ReportProblem(TiOPCItem& item, const std::string& message) const {
  if (callbacks_.reportProblem) callbacks_.reportProblem(item, message);
}

void TiOPCItemManager::RestoreValue(TiOPCItem& item, const TVariant& value) const {
  if (callbacks_.restoreValue) callbacks_.restoreValue(item, value);
}

void TiOPCItemManager::ReadItems(TReader& reader) {
  Clear();
  reader.ReadCollectionBegin();
  while (!reader.EndOfCollection()) {
    const int line = reader.Line();
    reader.ReadItemBegin();
    TiOPCItem& item = Add();
    item.SetSourceLine(line);
    reader.ReadItemProperties(item);
    CheckLoadedItem(item);
    item.ItemLoaded();
  }
  reader.ReadCollectionEnd();
}

// A form being designed may hold unfinished items; a form that runs may not.
void TiOPCItemManager::CheckLoadedItem(const TiOPCItem& item) const {
  if (OwnerIsDesigning() || !owner_) return;
  const auto* component = dynamic_cast<const TComponent*>(owner_);
  const std::string mistake = ItemSettingsMistake(item, owner_->ClassType());
  if (mistake.empty()) return;
  const std::string where =
      (component ? component->Name() + "." : std::string()) + "OPCItems item " + std::to_string(IndexOf(&item)) + ": ";
  throw StreamError("Line " + std::to_string(item.SourceLine()) + ": " + where + mistake);
}

void TiOPCItemManager::WriteItems(TWriter& writer) const {
  writer.WriteCollectionBegin();
  for (const auto& item : items_) {
    writer.WriteItemBegin();
    WriteStoredProperties(writer, *item);
    writer.WriteItemEnd();
  }
  writer.WriteCollectionEnd();
}

}  // namespace tintoral
