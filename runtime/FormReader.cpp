#include "runtime/FormReader.h"

#include <exception>

#include "runtime/ClassRegistry.h"
#include "runtime/Component.h"
#include "runtime/Exception.h"
#include "runtime/FormValueText.h"
#include "runtime/IdentMap.h"
#include "runtime/Identifiers.h"
#include "runtime/PropertyInfo.h"
#include "runtime/ScopeExit.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

// Deepest nesting of objects, items, lists and sub-objects a stream may have.
constexpr int kMaxDepth = 200;

// A float token read in the precision F: parsing straight into a double
// avoids rounding twice (to long double, then to double).
template <class F>
F ParseFloatToken(const TToken& token, const TFormLexer& lexer) {
  F value = 0;
  if (!ParseStreamFloat(token.source, value)) lexer.Error("Number " + token.source + " is out of range");
  return value;
}

bool IsObjectKeyword(const TFormLexer& lexer) {
  return lexer.IsIdent("object") || lexer.IsIdent("inherited") || lexer.IsIdent("inline");
}

}  // namespace

auto TReader::EnterLevel() {
  if (depth_ >= kMaxDepth) Error("Nesting too deep");
  ++depth_;
  return TScopeExit([this] { --depth_; });
}

TComponent* ReadComponentText(std::string_view text, TComponent* owner) {
  TReader reader(text);
  return reader.ReadRoot(nullptr, owner);
}

void ReadRootComponentText(std::string_view text, TComponent& root) {
  TReader reader(text);
  reader.ReadRoot(&root, nullptr);
}

TReader::TReader(std::string_view text) : lexer_(text) {}

// --- Components -------------------------------------------------------------

TComponent* TReader::ReadRoot(TComponent* root, TComponent* owner) {
  root_ = root;
  owner_ = owner;
  TScopeExit abandon([this] { Abandon(); });
  std::string name, className;
  int line = 0;
  ReadHeader(name, className, line);
  if (root_) {
    const TClassInfo* c = &root_->ClassType();
    while (c && !SameText(c->Name(), className)) c = c->Parent();
    if (!c) lexer_.Error("Class '" + className + "' does not match '" + root_->ClassName() + "'");
  } else {
    const TClassInfo* info = FindComponentClass(className);
    if (!info) throw StreamError("Line " + std::to_string(line) + ": Class '" + className + "' not found");
    root_ = CreateComponent(className, owner_);
    rootCreated_ = true;
  }
  StartLoading(*root_, name, line);
  ReadObjectBody(*root_);
  if (lexer_.Current().kind != TTokenKind::EndOfFile) lexer_.Expected("End of file");
  ResolveReferences();
  FinishLoading();
  abandon.Release();
  return root_;
}

void TReader::ReadHeader(std::string& name, std::string& className, int& line) {
  line = lexer_.Current().line;
  if (lexer_.IsIdent("inherited") || lexer_.IsIdent("inline"))
    lexer_.Error("'" + lexer_.Current().source + "' objects are not supported");
  ExpectIdent("object");
  std::string first = ExpectName();
  if (lexer_.IsSymbol(':')) {
    lexer_.Next();
    name = std::move(first);
    className = ExpectName();
  } else {
    className = std::move(first);
  }
}

TComponent* TReader::ReadComponent(TComponent* parent) {
  const auto level = EnterLevel();
  std::string name, className;
  int line = 0;
  ReadHeader(name, className, line);
  if (!FindComponentClass(className))
    throw StreamError("Line " + std::to_string(line) + ": Class '" + className + "' not found");
  TComponent* component = CreateComponent(className, root_);
  created_.push_back(component);
  StartLoading(*component, name, line);
  if (const TFieldInfo* field = root_->ClassType().FindField(name)) {
    if (!field->Assign(*root_, component))
      throw StreamError("Line " + std::to_string(line) + ": Field '" + name + "' of " + root_->ClassName() +
                        " cannot hold a " + component->ClassName());
  }
  component->SetParentComponent(parent);
  ReadObjectBody(*component);
  return component;
}

void TReader::StartLoading(TComponent& component, const std::string& name, int line) {
  component.SetState(csLoading | csReading);
  loaded_.push_back(&component);
  try {
    component.SetName(name);
  } catch (const InvalidOperation& error) {
    throw StreamError("Line " + std::to_string(line) + ": " + error.Message());
  }
}

void TReader::ReadObjectBody(TComponent& component) {
  while (!lexer_.IsIdent("end")) {
    if (lexer_.Current().kind == TTokenKind::EndOfFile) lexer_.Expected("'end'");
    if (IsObjectKeyword(lexer_)) ReadComponent(&component);
    else ReadProperty(component);
  }
  lexer_.Next();
  component.ClearState(csReading);
}

void TReader::FinishLoading() {
  std::exception_ptr firstError;
  for (TComponent* component : loaded_) {
    try {
      component->Loaded();
    } catch (...) {
      if (!firstError) firstError = std::current_exception();
    }
    component->ClearState(csLoading);
  }
  if (firstError) std::rethrow_exception(firstError);
  loaded_.clear();
  created_.clear();
}

void TReader::Abandon() {
  if (rootCreated_) {
    delete root_;
  } else {
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) delete *it;
    if (root_) root_->ClearState(csLoading | csReading);
  }
  created_.clear();
  loaded_.clear();
  if (rootCreated_) root_ = nullptr;
}

// --- Properties -------------------------------------------------------------

void TReader::ReadProperty(TPersistent& instance) {
  std::vector<std::string> path{ExpectName()};
  std::string fullName = path.back();
  while (lexer_.IsSymbol('.')) {
    lexer_.Next();
    path.push_back(ExpectName());
    fullName += "." + path.back();
  }
  const int line = lexer_.Current().line;
  ExpectSymbol('=');
  const auto missing = [&] {
    return StreamError("Line " + std::to_string(line) + ": Property '" + fullName + "' does not exist");
  };
  TObject* target = &instance;
  for (std::size_t i = 0; i + 1 < path.size(); ++i) {
    const TPropertyInfo* holder = target->ClassType().FindProperty(path[i]);
    if (!holder || holder->Kind() != tkClass) throw missing();
    target = holder->GetObject(*target);
    if (!target) throw StreamError("Line " + std::to_string(line) + ": Property '" + fullName + "' holds no object");
  }
  if (const TPropertyInfo* property = target->ClassType().FindProperty(path.back()))
    ReadPropertyValue(*target, *property, fullName);
  else if (const TStreamPropertyInfo* extra = target->ClassType().FindStreamProperty(path.back()))
    ReadStreamProperty(*target, *extra);
  else throw missing();
}

void TReader::ReadPropertyValue(TObject& target, const TPropertyInfo& property, const std::string& fullName) {
  if (!property.HasSetter()) lexer_.Error("Property '" + fullName + "' is read-only");
  const TTypeKind kind = property.Kind();
  if (IsOrdinalKind(kind)) {
    ReadOrdinal(target, property, fullName);
  } else if (kind == tkFloat) {
    if (lexer_.Current().kind != TTokenKind::Float && lexer_.Current().kind != TTokenKind::Integer)
      InvalidValue(fullName);
    ReadFloatValue(target, property);
  } else if (IsStringKind(kind)) {
    if (lexer_.Current().kind != TTokenKind::String) InvalidValue(fullName);
    property.SetString(target, ReadString());
  } else if (kind == tkVariant) {
    switch (NextValue()) {
      case TValueType::Integer: {
        const std::int64_t value = ReadInt64();
        if (value >= INT32_MIN && value <= INT32_MAX)
          property.SetVariant(target, TVariant(static_cast<std::int32_t>(value)));
        else property.SetVariant(target, TVariant(value));
        break;
      }
      case TValueType::Float: property.SetVariant(target, TVariant(ReadDouble())); break;
      case TValueType::String: property.SetVariant(target, TVariant(ReadString())); break;
      case TValueType::False:
      case TValueType::True: property.SetVariant(target, TVariant(ReadBoolean())); break;
      default: InvalidValue(fullName);
    }
  } else if (kind == tkMethod) {
    ReadEvent(target, property, fullName);
  } else if (kind == tkClass && lexer_.Current().kind == TTokenKind::Ident) {
    // A reference to a component of the root, perhaps one read later.
    fixups_.push_back(Fixup{&target, &property, lexer_.Current().source, fullName, lexer_.Current().line});
    lexer_.Next();
  } else {
    InvalidValue(fullName);
  }
}

void TReader::ResolveReferences() {
  for (const Fixup& fixup : fixups_) {
    const auto error = [&](const std::string& message) {
      return StreamError("Line " + std::to_string(fixup.line) + ": " + message);
    };
    TComponent* component = nullptr;
    if (!SameText(fixup.name, "nil")) {
      component = SameText(fixup.name, root_->Name()) ? root_ : root_->FindComponent(fixup.name);
      if (!component) throw error("Component '" + fixup.name + "' not found");
    }
    try {
      fixup.property->SetObject(*fixup.target, component);
    } catch (const InvalidOperation&) {
      throw error("Invalid value '" + fixup.name + "' for property '" + fixup.fullName + "'");
    }
  }
  fixups_.clear();
}

void TReader::ReadOrdinal(TObject& target, const TPropertyInfo& property, const std::string& fullName) {
  const TToken& token = lexer_.Current();
  std::int64_t value = 0;
  const TTypeKind kind = property.Kind();
  if (kind == tkSet) {
    property.SetOrdinal(target, ReadSet(property, fullName));
    return;
  }
  if (kind == tkEnumeration) {
    const TEnumType& type = *property.EnumType();
    const int ordinal = token.kind == TTokenKind::Ident ? type.ValueOf(token.source) : -1;
    if (ordinal < 0) {
      std::string names;
      for (int i = 0; i < type.Count(); ++i) names += (i == 0 ? "" : ", ") + type.NameOf(i);
      lexer_.Error("Invalid value " + lexer_.Describe() + " for property '" + fullName + "' (valid values: " + names +
                   ")");
    }
    value = ordinal;
  } else if (token.kind == TTokenKind::Integer) {
    value = token.integer;
    // $FF00000F names the same 32 bits as -16777201.
    const bool hex = token.source.find('$') != std::string::npos;
    if (hex && property.MinValue() == INT32_MIN && value > INT32_MAX && value <= UINT32_MAX)
      value -= std::int64_t{1} << 32;
  } else if (token.kind == TTokenKind::Ident) {
    std::int32_t identValue = 0;
    if (!IdentToInteger(property.TypeName(), token.source, identValue)) InvalidValue(fullName);
    value = identValue;
  } else if (token.kind == TTokenKind::String && (kind == tkChar || kind == tkWChar) && token.bytes.size() == 1) {
    const auto byte = static_cast<unsigned char>(token.bytes[0]);
    value = kind == tkChar ? byte : Windows1252ToUnicode(byte);
  } else {
    InvalidValue(fullName);
  }
  if (value < property.MinValue() || value > property.MaxValue())
    lexer_.Error("Value " + token.source + " is out of range for property '" + fullName + "'");
  lexer_.Next();
  property.SetOrdinal(target, value);
}

void TReader::ReadFloatValue(TObject& target, const TPropertyInfo& property) {
  const TToken& token = lexer_.Current();
  long double value = token.kind == TTokenKind::Integer ? static_cast<long double>(token.integer) : token.real;
  if (token.kind == TTokenKind::Float && property.FloatType() == ftDouble)
    value = ParseFloatToken<double>(token, lexer_);
  if (token.kind == TTokenKind::Float && property.FloatType() == ftSingle)
    value = ParseFloatToken<float>(token, lexer_);
  lexer_.Next();
  property.SetFloat(target, value);
}

void TReader::ReadEvent(TObject& target, const TPropertyInfo& property, const std::string& fullName) {
  if (lexer_.Current().kind != TTokenKind::Ident) InvalidValue(fullName);
  const std::string methodName = lexer_.Current().source;
  const TMethodInfo* method = root_->ClassType().FindMethod(methodName);
  if (!method) lexer_.Error("Method '" + methodName + "' not found in " + root_->ClassName());
  try {
    property.BindMethod(target, *method, *root_);
  } catch (const InvalidOperation&) {
    lexer_.Error("Method '" + methodName + "' does not fit event '" + fullName + "'");
  }
  lexer_.Next();
}

std::int64_t TReader::ReadSet(const TPropertyInfo& property, const std::string& fullName) {
  if (!lexer_.IsSymbol('[')) InvalidValue(fullName);
  lexer_.Next();
  std::int64_t mask = 0;
  for (bool first = true; !lexer_.IsSymbol(']'); first = false) {
    if (!first) ExpectSymbol(',');
    const int element =
        lexer_.Current().kind == TTokenKind::Ident ? property.EnumType()->ValueOf(lexer_.Current().source) : -1;
    if (element < 0) InvalidValue(fullName);
    mask |= std::int64_t{1} << element;
    lexer_.Next();
  }
  lexer_.Next();
  return mask;
}

void TReader::ReadStreamProperty(TObject& target, const TStreamPropertyInfo& property) {
  const auto& access = property.Access();
  if (property.IsBinary()) {
    if (lexer_.Current().kind != TTokenKind::Binary) lexer_.Expected("Binary value");
    access.readBinary(target, ReadBinary());
  } else {
    access.read(target, *this);
  }
}

void TReader::InvalidValue(const std::string& fullName) const {
  lexer_.Error("Invalid value " + lexer_.Describe() + " for property '" + fullName + "'");
}

// --- Tokens -----------------------------------------------------------------

void TReader::ExpectSymbol(char symbol) {
  if (!lexer_.IsSymbol(symbol)) lexer_.Expected(std::string("'") + symbol + "'");
  lexer_.Next();
}

void TReader::ExpectIdent(std::string_view word) {
  if (!lexer_.IsIdent(word)) lexer_.Expected("'" + std::string(word) + "'");
  lexer_.Next();
}

std::string TReader::ExpectName() {
  if (lexer_.Current().kind != TTokenKind::Ident) lexer_.Expected("Identifier");
  std::string name = lexer_.Current().source;
  lexer_.Next();
  return name;
}

// --- Values -----------------------------------------------------------------

TValueType TReader::NextValue() const {
  const TToken& token = lexer_.Current();
  switch (token.kind) {
    case TTokenKind::Integer: return TValueType::Integer;
    case TTokenKind::Float: return TValueType::Float;
    case TTokenKind::String: return TValueType::String;
    case TTokenKind::Binary: return TValueType::Binary;
    case TTokenKind::Ident:
      if (SameText(token.source, "False")) return TValueType::False;
      if (SameText(token.source, "True")) return TValueType::True;
      return TValueType::Ident;
    default: break;
  }
  if (lexer_.IsSymbol('[')) return TValueType::Set;
  if (lexer_.IsSymbol('(')) return TValueType::List;
  if (lexer_.IsSymbol('<')) return TValueType::Collection;
  lexer_.Expected("Value");
}

std::int64_t TReader::ReadInt64() {
  if (lexer_.Current().kind != TTokenKind::Integer) lexer_.Expected("Integer");
  const std::int64_t value = lexer_.Current().integer;
  lexer_.Next();
  return value;
}

std::int32_t TReader::ReadInteger() {
  if (lexer_.Current().kind == TTokenKind::Integer &&
      (lexer_.Current().integer < INT32_MIN || lexer_.Current().integer > INT32_MAX))
    lexer_.Error("Number " + lexer_.Current().source + " is out of range");
  return static_cast<std::int32_t>(ReadInt64());
}

long double TReader::ReadFloat() {
  const TToken& token = lexer_.Current();
  if (token.kind != TTokenKind::Float && token.kind != TTokenKind::Integer) lexer_.Expected("Float");
  const long double value = token.kind == TTokenKind::Integer ? static_cast<long double>(token.integer) : token.real;
  lexer_.Next();
  return value;
}

double TReader::ReadDouble() {
  const TToken& token = lexer_.Current();
  if (token.kind == TTokenKind::Integer) return static_cast<double>(ReadInt64());
  if (token.kind != TTokenKind::Float) lexer_.Expected("Float");
  const double value = ParseFloatToken<double>(token, lexer_);
  lexer_.Next();
  return value;
}

std::string TReader::ReadString() {
  if (lexer_.Current().kind != TTokenKind::String) lexer_.Expected("String");
  std::string value = lexer_.Current().bytes;
  lexer_.Next();
  while (lexer_.IsSymbol('+')) {
    lexer_.Next();
    if (lexer_.Current().kind != TTokenKind::String) lexer_.Expected("String");
    value += lexer_.Current().bytes;
    lexer_.Next();
  }
  return value;
}

std::string TReader::ReadIdent() { return ExpectName(); }

bool TReader::ReadBoolean() {
  const TValueType type = NextValue();
  if (type != TValueType::True && type != TValueType::False) lexer_.Expected("Boolean");
  lexer_.Next();
  return type == TValueType::True;
}

TReader::Bytes TReader::ReadBinary() {
  if (lexer_.Current().kind != TTokenKind::Binary) lexer_.Expected("Binary value");
  const std::string& bytes = lexer_.Current().bytes;
  Bytes value(bytes.begin(), bytes.end());
  lexer_.Next();
  return value;
}

void TReader::SkipValue() {
  const auto level = EnterLevel();
  switch (NextValue()) {
    case TValueType::String: ReadString(); return;
    case TValueType::Set:
      while (!lexer_.IsSymbol(']')) {
        if (lexer_.Current().kind == TTokenKind::EndOfFile) lexer_.Expected("']'");
        lexer_.Next();
      }
      lexer_.Next();
      return;
    case TValueType::List:
      ReadListBegin();
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      return;
    case TValueType::Collection:
      ReadCollectionBegin();
      while (!EndOfCollection()) {
        ReadItemBegin();
        while (!lexer_.IsIdent("end")) {
          ExpectName();
          while (lexer_.IsSymbol('.')) {
            lexer_.Next();
            ExpectName();
          }
          ExpectSymbol('=');
          SkipValue();
        }
        lexer_.Next();
      }
      ReadCollectionEnd();
      return;
    default: lexer_.Next(); return;
  }
}

void TReader::ReadListBegin() { ExpectSymbol('('); }

bool TReader::EndOfList() const {
  if (lexer_.Current().kind == TTokenKind::EndOfFile) lexer_.Expected("')'");
  return lexer_.IsSymbol(')');
}

void TReader::ReadListEnd() { ExpectSymbol(')'); }

void TReader::ReadCollectionBegin() { ExpectSymbol('<'); }

bool TReader::EndOfCollection() const {
  if (lexer_.Current().kind == TTokenKind::EndOfFile) lexer_.Expected("'>'");
  return lexer_.IsSymbol('>');
}

void TReader::ReadItemBegin() { ExpectIdent("item"); }

void TReader::ReadItemProperties(TPersistent& item) {
  const auto level = EnterLevel();
  while (!lexer_.IsIdent("end")) {
    if (lexer_.Current().kind == TTokenKind::EndOfFile) lexer_.Expected("'end'");
    ReadProperty(item);
  }
  lexer_.Next();
}

void TReader::ReadCollectionEnd() { ExpectSymbol('>'); }

void TReader::ReadCollection(const std::function<TPersistent&(int index)>& itemAt) {
  ReadCollectionBegin();
  for (int index = 0; !EndOfCollection(); ++index) {
    ReadItemBegin();
    ReadItemProperties(itemAt(index));
  }
  ReadCollectionEnd();
}

}  // namespace tintoral
