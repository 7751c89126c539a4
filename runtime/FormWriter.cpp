#include "runtime/FormWriter.h"

#include "runtime/Component.h"
#include "runtime/Exception.h"
#include "runtime/FormValueText.h"
#include "runtime/IdentMap.h"
#include "runtime/ScopeExit.h"

namespace tintoral {
namespace {

// Bytes of a string literal piece and of a line of a byte block.
constexpr std::size_t kStringPiece = 64;
constexpr std::size_t kBinaryLine = 32;
// Deepest nesting of sub-objects written; deeper means an object holds itself.
constexpr int kMaxDepth = 64;

const char kHexDigits[] = "0123456789ABCDEF";

}  // namespace

std::string WriteComponentText(const TComponent& root) {
  TWriter writer;
  writer.WriteRoot(root);
  return writer.Text();
}

void WriteStoredProperties(TWriter& writer, const TPersistent& object) { writer.WriteProperties(object, "", true); }

std::string TWriter::Text() const { return lineOpen_ ? out_ + "\n" : out_; }

void TWriter::WriteRoot(const TComponent& root) {
  root_ = &root;
  WriteComponent(root);
}

void TWriter::WriteComponent(const TComponent& component) {
  StartLine();
  out_ += "object ";
  if (!component.Name().empty()) out_ += component.Name() + ": ";
  out_ += component.ClassName();
  indent_ += 2;
  WriteProperties(component, "", false);
  component.GetChildren([this](TComponent* child) { WriteComponent(*child); }, root_);
  indent_ -= 2;
  StartLine();
  out_ += "end";
}

void TWriter::WriteProperties(const TPersistent& object, const std::string& prefix, bool everyStored) {
  if (depth_ >= kMaxDepth) throw StreamError("Objects nested too deeply at " + prefix);
  ++depth_;
  const TScopeExit leaveLevel([this] { --depth_; });
  for (const TPropertyInfo* property : object.ClassType().Properties()) {
    const std::string name = prefix + property->Name();
    if (!everyStored) {
      WriteOneProperty(object, *property, name, false);
      continue;
    }
    const Mark mark = Save();
    try {
      WriteOneProperty(object, *property, name, true);
    } catch (const Exception&) {
      Restore(mark);
    }
  }
  WriteStreamProperties(object, prefix, everyStored);
}

void TWriter::WriteOneProperty(const TPersistent& object, const TPropertyInfo& property, const std::string& name,
                               bool everyStored) {
  if (!property.HasGetter() || !property.IsStored(object)) return;
  if (everyStored && !property.HasSetter()) return;
  switch (property.Kind()) {
    case tkClass: {
      const TPersistent* held = property.GetObject(object);
      if (!held) return;
      if (const auto* component = dynamic_cast<const TComponent*>(held)) {
        WriteReference(*component, property, name);
        return;
      }
      WriteProperties(*held, name + ".", everyStored);
      return;
    }
    case tkMethod: {
      const std::string method = property.GetMethodName(object);
      if (method.empty()) return;
      WritePropertyName(name);
      WriteIdent(method);
      return;
    }
    default:
      if (!property.HasSetter() || (!everyStored && IsDefaultPropertyValue(object, property))) return;
      WritePropertyName(name);
      WriteValue(object, property);
  }
}

void TWriter::WriteReference(const TComponent& component, const TPropertyInfo& property, const std::string& name) {
  // Only the root and its components can be named in the root's stream.
  const bool reachable = &component == root_ || (component.Owner() == root_ && root_);
  if (!property.HasSetter() || component.Name().empty() || !reachable) return;
  WritePropertyName(name);
  WriteIdent(component.Name());
}

bool IsDefaultPropertyValue(const TPersistent& object, const TPropertyInfo& property) {
  const TTypeKind kind = property.Kind();
  if (IsOrdinalKind(kind))
    return property.OrdinalDefault().has_value() && property.GetOrdinal(object) == *property.OrdinalDefault();
  if (kind == tkFloat) return property.GetFloat(object) == property.FloatDefault().value_or(0.0L);
  if (IsStringKind(kind)) return property.GetString(object).empty();
  if (kind == tkVariant) return property.GetVariant(object).IsEmpty();
  return false;
}

void TWriter::WriteValue(const TPersistent& object, const TPropertyInfo& property) {
  const TTypeKind kind = property.Kind();
  if (IsOrdinalKind(kind)) {
    WriteOrdinal(object, property);
  } else if (kind == tkFloat) {
    WriteFloat(property.GetFloat(object), property.FloatType());
  } else if (IsStringKind(kind)) {
    WriteString(property.GetString(object));
  } else if (kind == tkVariant) {
    const TVariant value = property.GetVariant(object);
    switch (value.Type()) {
      case TVarType::Integer:
      case TVarType::Int64: WriteInteger(value.ToInt64()); break;
      case TVarType::Double: WriteFloat(value.ToDouble(), ftDouble); break;
      case TVarType::Boolean: WriteBoolean(value.ToBool()); break;
      default: WriteString(value.ToString()); break;
    }
  } else {
    throw StreamError("Property " + property.Name() + " cannot be written");
  }
}

void TWriter::WriteOrdinal(const TPersistent& object, const TPropertyInfo& property) {
  const std::int64_t value = property.GetOrdinal(object);
  switch (property.Kind()) {
    case tkEnumeration: WriteIdent(property.EnumType()->NameOf(value)); return;
    case tkSet: {
      BeginValue();
      std::string text = "[";
      for (int element = 0; element < property.EnumType()->Count(); ++element) {
        if ((value >> element & 1) == 0) continue;
        if (text.size() > 1) text += ", ";
        text += property.EnumType()->NameOf(element);
      }
      out_ += text + "]";
      return;
    }
    case tkChar: WriteString(std::string(1, static_cast<char>(value))); return;
    case tkWChar: WriteInteger(value); return;
    default: {
      std::string ident;
      if (property.Kind() == tkInteger && IntegerToIdent(property.TypeName(), static_cast<std::int32_t>(value), ident))
        WriteIdent(ident);
      else WriteInteger(value);
    }
  }
}

void TWriter::WriteStreamProperties(const TPersistent& object, const std::string& prefix, bool everyStored) {
  for (const TStreamPropertyInfo* property : object.ClassType().StreamProperties()) {
    if (!property->HasData(object)) continue;
    const Mark mark = Save();
    try {
      WritePropertyName(prefix + property->Name());
      if (property->IsBinary()) WriteBinary(property->Access().writeBinary(object));
      else property->Access().write(object, *this);
    } catch (const Exception&) {
      if (!everyStored) throw;
      Restore(mark);
    }
  }
}

// --- Layout -----------------------------------------------------------------

void TWriter::StartLine() {
  if (lineOpen_) out_ += '\n';
  out_.append(static_cast<std::size_t>(indent_), ' ');
  lineOpen_ = true;
}

void TWriter::BeginValue() {
  if (!contexts_.empty() && contexts_.back() == Context::List) StartLine();
}

void TWriter::Push(Context context) {
  contexts_.push_back(context);
  indent_ += 2;
}

void TWriter::Pop(Context context) {
  if (contexts_.empty() || contexts_.back() != context)
    throw StreamError("Unbalanced list or collection in a stream writer");
  contexts_.pop_back();
  indent_ -= 2;
}

TWriter::Mark TWriter::Save() const { return Mark{out_.size(), indent_, lineOpen_, contexts_.size()}; }

void TWriter::Restore(const Mark& mark) {
  out_.resize(mark.size);
  indent_ = mark.indent;
  lineOpen_ = mark.lineOpen;
  contexts_.resize(mark.contexts);
}

void TWriter::WritePropertyName(const std::string& name) {
  StartLine();
  out_ += name + " = ";
}

void TWriter::WriteInteger(std::int64_t value) {
  BeginValue();
  out_ += std::to_string(value);
}

void TWriter::WriteFloat(long double value, TFloatType type) {
  const std::string text = StreamFloatText(value, type);
  BeginValue();
  out_ += text;
}

void TWriter::WriteString(const std::string& value) {
  BeginValue();
  if (value.size() <= kStringPiece) {
    out_ += StreamStringLiteral(value);
    return;
  }
  indent_ += 2;
  for (std::size_t start = 0; start < value.size(); start += kStringPiece) {
    if (start > 0) {
      out_ += " +";
      StartLine();
    }
    out_ += StreamStringLiteral(std::string_view(value).substr(start, kStringPiece));
  }
  indent_ -= 2;
}

void TWriter::WriteIdent(const std::string& ident) {
  BeginValue();
  out_ += ident;
}

void TWriter::WriteBoolean(bool value) { WriteIdent(value ? "True" : "False"); }

void TWriter::WriteBinary(const Bytes& bytes) {
  BeginValue();
  out_ += '{';
  indent_ += 2;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i % kBinaryLine == 0) StartLine();
    out_ += kHexDigits[bytes[i] >> 4];
    out_ += kHexDigits[bytes[i] & 15];
  }
  indent_ -= 2;
  out_ += '}';
}

void TWriter::WriteListBegin() {
  BeginValue();
  out_ += '(';
  Push(Context::List);
}

void TWriter::WriteListEnd() {
  Pop(Context::List);
  out_ += ')';
}

void TWriter::WriteCollectionBegin() {
  BeginValue();
  out_ += '<';
  Push(Context::Collection);
}

void TWriter::WriteItemBegin() {
  StartLine();
  out_ += "item";
  Push(Context::Item);
}

void TWriter::WriteItemEnd() {
  Pop(Context::Item);
  StartLine();
  out_ += "end";
}

void TWriter::WriteCollectionEnd() {
  Pop(Context::Collection);
  out_ += '>';
}

}  // namespace tintoral
