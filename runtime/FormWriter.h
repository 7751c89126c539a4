#pragma once
// Writes the text form of a form stream (the format TReader reads), with
// two-space indentation:
//
//   object Gauge1: TiGauge
//     Position = 12.5
//     Font.Style = [fsBold]
//     OnChange = Gauge1Change
//     PositionMax_2 = 100.0
//     object ...
//     end
//   end
//
// For each object: its stored published properties that can be written back
// (a getter and a setter; held objects need only a getter and are written
// as "Name.Property"; a held component of the root is written as its name), then its extra stream properties that have
// data, then the components GetChildren() lists, nested. A property is left out when its value is its default: an
// ordinal equal to its Default() (an ordinal without one is always written), a float equal to its Default() or to 0
// without one, an empty string or variant, an event with no handler bound by name.
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/PropertyInfo.h"

namespace tintoral {

class TComponent;
class TPersistent;

std::string WriteComponentText(const TComponent& root);

// Whether the writer leaves the property out as holding its default (the
// rule above); false for kinds without a default (events, objects).
bool IsDefaultPropertyValue(const TPersistent& object, const TPropertyInfo& property);

class TWriter {
 public:
  using Bytes = std::vector<std::uint8_t>;

  TWriter() = default;
  TWriter(const TWriter&) = delete;
  TWriter& operator=(const TWriter&) = delete;

  void WriteRoot(const TComponent& root);
  // The text written so far, ending with a line break.
  std::string Text() const;
  const TComponent* Root() const { return root_; }

  // Starts the line "Name = "; a value must follow.
  void WritePropertyName(const std::string& name);
  // Values, for extra stream properties to write theirs.
  void WriteInteger(std::int64_t value);
  void WriteFloat(long double value, TFloatType type = ftExtended);
  void WriteString(const std::string& value);
  void WriteIdent(const std::string& ident);
  void WriteBoolean(bool value);
  void WriteBinary(const Bytes& bytes);
  void WriteListBegin();
  void WriteListEnd();
  void WriteCollectionBegin();
  void WriteItemBegin();
  void WriteItemEnd();
  void WriteCollectionEnd();

  // The object's properties as described above, names prefixed by `prefix`.
  // With `everyStored` the default rule is off (every stored property with a
  // getter and a setter is written) and a property whose writing raises an
  // error of the general exception kind is left out.
  void WriteProperties(const TPersistent& object, const std::string& prefix, bool everyStored);

 private:
  struct Mark {
    std::size_t size;
    int indent;
    bool lineOpen;
    std::size_t contexts;
  };
  enum class Context { List, Collection, Item };

  void WriteComponent(const TComponent& component);
  void WriteOneProperty(const TPersistent& object, const TPropertyInfo& property, const std::string& name,
                        bool everyStored);
  void WriteReference(const TComponent& component, const TPropertyInfo& property, const std::string& name);
  void WriteValue(const TPersistent& object, const TPropertyInfo& property);
  void WriteOrdinal(const TPersistent& object, const TPropertyInfo& property);
  void WriteStreamProperties(const TPersistent& object, const std::string& prefix, bool everyStored);
  void StartLine();
  void BeginValue();
  void Push(Context context);
  void Pop(Context context);
  Mark Save() const;
  void Restore(const Mark& mark);

  std::string out_;
  int indent_ = 0;
  bool lineOpen_ = false;
  std::vector<Context> contexts_;
  const TComponent* root_ = nullptr;
  int depth_ = 0;
};

// Writes every stored published property of the object that has a getter
// and a setter (defaults included), then its extra stream properties. A
// property that raises an error of the general exception kind is skipped.
// Used for collection items.
void WriteStoredProperties(TWriter& writer, const TPersistent& object);

}  // namespace tintoral
