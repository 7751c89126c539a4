#include "instruments/LCDCharacterSet.h"

#include <memory>
#include <string>
#include <vector>

#include "runtime/Exception.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"

namespace tintoral {
namespace {

[[noreturn]] void OutOfBounds(int index) {
  throw ListIndexError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace

TLCDCharacterSet::TLCDCharacterSet(int rowCount) { SetRowCountOfAll(rowCount); }

TiLCDCharacter& TLCDCharacterSet::Character(int code) {
  if (code < 0 || code >= kCharacterCount) OutOfBounds(code);
  return characters_[static_cast<std::size_t>(code)];
}

const TiLCDCharacter& TLCDCharacterSet::Character(int code) const {
  return const_cast<TLCDCharacterSet&>(*this).Character(code);
}

void TLCDCharacterSet::SetRowCountOfAll(int rowCount) {
  for (TiLCDCharacter& character : characters_) character.SetRowCount(rowCount);
}

void TLCDCharacterSet::LoadDefaultGlyphs() {
  for (int code = 0; code < kCharacterCount; ++code) Character(code).LoadDefaultGlyph(code);
}

void TLCDCharacterSet::ReadCharacters(TReader& reader) {
  if (reader.NextValue() != TValueType::Collection) {
    reader.SkipValue();
    return;
  }
  // The items are read into copies and kept only when the whole list has
  // been read, so that a malformed list changes no glyph.
  std::vector<std::unique_ptr<TiLCDCharacter>> staged;
  reader.ReadCollection([&](int index) -> TPersistent& {
    if (index >= kCharacterCount) OutOfBounds(index);
    staged.push_back(std::make_unique<TiLCDCharacter>());
    staged.back()->Assign(Character(index));
    return *staged.back();
  });
  for (std::size_t code = 0; code < staged.size(); ++code) characters_[code].Assign(*staged[code]);
}

void TLCDCharacterSet::WriteCharacters(TWriter& writer) const {
  writer.WriteCollectionBegin();
  for (int code = 0; code < kStreamedCount; ++code) {
    writer.WriteItemBegin();
    WriteStoredProperties(writer, Character(code));
    writer.WriteItemEnd();
  }
  writer.WriteCollectionEnd();
}

}  // namespace tintoral
