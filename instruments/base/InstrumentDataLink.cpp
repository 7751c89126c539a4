// TiVCLComponent's side of the data link: the item manager's callbacks,
// incoming values written into properties, outgoing changes sent to the
// server without echoing incoming ones, and the "OPCItems" stream property.
#include "instruments/base/InstrumentComponent.h"
#include "instruments/base/PropertyFile.h"
#include "instruments/base/PropertyWalk.h"
#include "instruments/opc/ErrorLog.h"
#include "instruments/opc/ValueConversion.h"
#include "platform/window/MainThreadQueue.h"
#include "runtime/Identifiers.h"
#include "runtime/ScopeExit.h"

namespace tintoral {
namespace {

// Values from the server repaint an instrument at most once per display
// frame (60 a second); every value is still stored and reported.
constexpr std::chrono::milliseconds kDisplayFrame{16};

// An enumeration's value text: "True" / "False" (case ignored) as 1 / 0; a
// two-valued enumeration takes any other text but "0" as 1.
std::string EnumerationText(const TPropertyInfo& property, const std::string& text) {
  if (SameText(text, "True")) return "1";
  if (SameText(text, "False")) return "0";
  if (property.MinValue() == 0 && property.MaxValue() == 1 && text != "0") return "1";
  return text;
}

// A number, or a text that holds one, goes into a float property as it is
// (its text would keep only 15 digits) and into an integer or enumeration
// property rounded, halves away from zero. Anything else goes as its text,
// which the property's own conversion takes or refuses.
void SetOneProperty(TPersistent& object, const TPropertyInfo& property, const std::string& fullName,
                    const TVariant& value) {
  const std::optional<double> number = NumberOfLinkValue(value);
  if (property.Kind() == tkFloat && number) {
    property.SetFloat(object, *number);
    return;
  }
  const bool whole = property.Kind() == tkInteger || property.Kind() == tkInt64 || property.Kind() == tkEnumeration;
  const std::optional<std::string> rounded = whole && number ? WholeNumberText(*number) : std::nullopt;
  const std::string text = rounded ? *rounded : value.ToString();
  SetPropertyFromText(object, property, fullName,
                      property.Kind() == tkEnumeration ? EnumerationText(property, text) : text);
}

}  // namespace

TiOPCItemManager::Callbacks TiVCLComponent::DataLinkCallbacks() {
  MainThreadQueueStart();
  return {.isDesigning = [this] { return IsDesigning(); },
          .newData = [this](TiOPCItem& item) { ApplyOPCData(item); },
          .propertyKind = [this](const std::string& name) { return GetPropertyKind(name); },
          .isLoading = [this] { return IsLoading(); },
          .setErrorFlag = [this](bool value) { SetErrorFlag(value); },
          .post = [](std::function<void()> task) { PostToMainThread(std::move(task)); },
          .reportProblem = [this](TiOPCItem& item, const std::string& message) { ReportOPCProblem(item, message); },
          .restoreValue = [this](TiOPCItem& item, const TVariant& value) { RestoreOPCValue(item, value); },
          .deliveryFrame = kDisplayFrame};
}

void TiVCLComponent::ApplyOPCData(TiOPCItem& item) {
  if (item.PropertyName().empty()) return;
  const TiOPCItemData data = item.LastData();
  TVariant value = data.value;
  const int index = opcItems_.IndexOf(&item);
  // The value came from a server, after the library's callback returned:
  // there is nobody to hand an error back to but the item and the events.
  try {
    onBeforeNewOPCData_(this, index, value);
    opcWriting_ = true;
    const TScopeExit endWrite([this] { opcWriting_ = false; });
    if (IsGoodQuality(data.quality) && !DataLinkApply(item))
      SetPropertyFromVariant(*this, "", value, item.PropertyName());
    onNewOPCData_(this, index);
  } catch (const std::exception& error) {
    item.ReportProblem(error.what());
  }
}

// Written as a value from the server is, so it is not sent back.
void TiVCLComponent::RestoreOPCValue(TiOPCItem& item, const TVariant& value) {
  try {
    opcWriting_ = true;
    const TScopeExit endWrite([this] { opcWriting_ = false; });
    SetPropertyFromVariant(*this, "", value, item.PropertyName());
  } catch (const std::exception& error) {
    item.ReportProblem(error.what());
  }
}

void TiVCLComponent::ReportOPCProblem(TiOPCItem& item, const std::string& message) {
  OPCErrorLog().Report(Name() + "." + item.PropertyName() + " <- " + item.LinkName(), message);
  try {
    onOPCError_(this, opcItems_.IndexOf(&item), message);
  } catch (const std::exception& error) {
    OPCErrorLog().Report(Name() + ".OnOPCError", error.what());
  }
}

bool TiVCLComponent::DataLinkWrite(const std::string& propertyName, const TVariant& value) {
  if (opcWriting_) {
    opcWriting_ = false;
    return false;
  }
  TiOPCItem* refusing = nullptr;
  for (int i = 0; i < opcItems_.Count(); ++i) {
    TiOPCItem& item = opcItems_.Items(i);
    if (!SameText(item.PropertyName(), propertyName)) continue;
    if (item.IsItemActive()) return item.WriteValue(value);
    if (!refusing && item.Handle() != 0) refusing = &item;
  }
  if (refusing) refusing->WriteValue(value);
  return false;
}

bool TiVCLComponent::DataLinkApply(TiOPCItem&) { return false; }

int TiVCLComponent::GetPropertyKind(const std::string& propertyName) const {
  return ::tintoral::GetPropertyKind(*this, propertyName);
}

void TiVCLComponent::SetPropertyFromVariant(TPersistent& object, const std::string& prefix, const TVariant& value,
                                            const std::string& name) {
  // Every match is written; the walk does not stop at the first.
  WalkProperties(
      object, false, [](const std::string&) { return true; },
      [&](const TPersistent& owner, const TPropertyInfo& property, const std::string& fullName) {
        // The walk hands out the objects as it reads them; held objects are
        // never const.
        if (SameText(fullName, name)) SetOneProperty(const_cast<TPersistent&>(owner), property, fullName, value);
        return false;
      },
      prefix);
}

void TiVCLComponent::ReadOPCItems(TReader& reader) { opcItems_.ReadItems(reader); }

void TiVCLComponent::WriteOPCItems(TWriter& writer) const { opcItems_.WriteItems(writer); }

}  // namespace tintoral
