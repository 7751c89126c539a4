#pragma once
// Reads the text form of a form stream:
//
//   object Form1: TForm1
//     Caption = 'Versi'#243'n ' +
//       'uno'
//     Font.Style = [fsBold]
//     OnCreate = FormCreate
//     object Gauge1: TiGauge
//       Position = 12.5
//       Characters = <
//         item
//           Data = '4,4,4,4,4,0,4'
//         end>
//     end
//   end
//
// The root and every nested object become components owned by the root;
// a nested object's parent component (SetParentComponent) is the object it
// is written in. Each component is in its loading state (csLoading) from
// before its first property is set; when the whole stream has been read,
// Loaded() runs once for every component read, the root first, then the
// others in the order they were read. An object property given a name
// (`ActivePage = TabSheet1`) refers to the root or one of its components,
// which may come later in the stream; such references are set when the
// whole stream has been read, before the after-load steps; `nil` clears. Events are bound by name to methods
// the root's class registers; components land in the root's fields of the
// same name.
//
// Errors: a malformed stream, an unknown class, property or method raise
// StreamError "Line <n>: ..."; errors raised by property setters pass
// unchanged. Either way the read leaves nothing behind: every component it
// created is destroyed (the values it already gave to an existing root
// stay).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/FormLexer.h"

namespace tintoral {

class TComponent;
class TPersistent;
class TObject;
class TPropertyInfo;
class TStreamPropertyInfo;

// Reads a stream whose root class is registered (runtime/ClassRegistry.h)
// and returns the new root, owned by `owner` (by the caller when nullptr).
TComponent* ReadComponentText(std::string_view text, TComponent* owner = nullptr);
// Reads a stream into an existing root. The stream's root class must be the
// root's class or one of its ancestors.
void ReadRootComponentText(std::string_view text, TComponent& root);

enum class TValueType { Integer, Float, String, Ident, False, True, Set, List, Collection, Binary };

// The reader as the extra stream properties see it: they read their value
// with the functions below.
class TReader {
 public:
  using Bytes = std::vector<std::uint8_t>;

  explicit TReader(std::string_view text);
  TReader(const TReader&) = delete;
  TReader& operator=(const TReader&) = delete;

  // The whole stream: into `root`, or into a new root owned by `owner`.
  TComponent* ReadRoot(TComponent* root, TComponent* owner);

  TComponent* Root() const { return root_; }
  int Line() const { return lexer_.Current().line; }
  [[noreturn]] void Error(const std::string& message) const { lexer_.Error(message); }

  // The type of the next value; StreamError when no value follows.
  TValueType NextValue() const;
  std::int32_t ReadInteger();
  std::int64_t ReadInt64();
  long double ReadFloat();   // also takes an integer
  double ReadDouble();       // the text read as a double, rounded once
  std::string ReadString();  // pieces joined by + are one string
  std::string ReadIdent();
  bool ReadBoolean();
  Bytes ReadBinary();
  void SkipValue();

  // ( value value ... )
  void ReadListBegin();
  bool EndOfList() const;
  void ReadListEnd();
  // < item Name = value ... end item ... end >
  void ReadCollectionBegin();
  bool EndOfCollection() const;
  void ReadItemBegin();
  // Reads "Name = value" lines into the object up to and including "end".
  void ReadItemProperties(TPersistent& item);
  void ReadCollectionEnd();
  // The whole collection: item n's properties go into itemAt(n).
  void ReadCollection(const std::function<TPersistent&(int index)>& itemAt);

 private:
  // Counts one more nesting level until the returned guard goes; an error
  // past the deepest nesting allowed.
  auto EnterLevel();

  TComponent* ReadComponent(TComponent* parent);
  void ReadHeader(std::string& name, std::string& className, int& line);
  void StartLoading(TComponent& component, const std::string& name, int line);
  void ReadObjectBody(TComponent& component);
  void ReadProperty(TPersistent& instance);
  void ReadPropertyValue(TObject& target, const TPropertyInfo& property, const std::string& fullName);
  void ReadOrdinal(TObject& target, const TPropertyInfo& property, const std::string& fullName);
  void ReadFloatValue(TObject& target, const TPropertyInfo& property);
  void ReadEvent(TObject& target, const TPropertyInfo& property, const std::string& fullName);
  std::int64_t ReadSet(const TPropertyInfo& property, const std::string& fullName);
  void ReadStreamProperty(TObject& target, const TStreamPropertyInfo& property);
  void ExpectSymbol(char symbol);
  void ExpectIdent(std::string_view word);
  std::string ExpectName();
  [[noreturn]] void InvalidValue(const std::string& fullName) const;
  void ResolveReferences();
  void FinishLoading();
  void Abandon();

  TFormLexer lexer_;
  TComponent* root_ = nullptr;
  TComponent* owner_ = nullptr;
  bool rootCreated_ = false;
  std::vector<TComponent*> created_;  // children created by this read, in order
  std::vector<TComponent*> loaded_;   // every component read, root first
  struct Fixup {
    TObject* target;
    const TPropertyInfo* property;
    std::string name;
    std::string fullName;
    int line;
  };
  std::vector<Fixup> fixups_;  // component references, resolved when all is read
  int depth_ = 0;
};

}  // namespace tintoral
