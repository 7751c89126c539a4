// Feeds arbitrary bytes to the LCD character's Data writer and, as a form
// stream, to the reader of the "Characters" list (on a small host component
// that carries a character set the way the matrix does). Findings:
//  - a Data write that changes the row count, or whose result does not
//    read back through Data;
//  - a stream that reads but does not write and read back to the same text;
//  - a "Characters" list that fails but leaves a character changed.
// Errors of the general exception kind are otherwise expected.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "instruments/LCDCharacter.h"
#include "instruments/LCDCharacterSet.h"
#include "runtime/ClassBuilder.h"
#include "runtime/ClassRegistry.h"
#include "runtime/Component.h"
#include "runtime/Exception.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"

using namespace tintoral;

namespace {

class TLCDHost : public TComponent {
  TINTORAL_CLASS(TLCDHost, TComponent)

 public:
  explicit TLCDHost(TComponent* owner) : TComponent(owner) { characters.LoadDefaultGlyphs(); }
  TLCDCharacterSet characters{7};
};

[[noreturn]] void Finding(const std::string& what, std::string_view input) {
  std::fprintf(stderr, "%s\n%.*s\n", what.c_str(), static_cast<int>(input.size()), input.data());
  std::abort();
}

// Every character's row count and rows, one after the other.
std::vector<std::int32_t> AllRows(const TLCDCharacterSet& set) {
  std::vector<std::int32_t> all;
  for (int code = 0; code < TLCDCharacterSet::kCharacterCount; ++code) {
    const TiLCDCharacter& character = set.Character(code);
    all.push_back(character.RowCount());
    for (int row = 0; row < character.RowCount(); ++row) all.push_back(character.GetRow(row));
  }
  return all;
}

// Reads the list and checks that a failure left every character as it was.
void ReadCharacters(TLCDHost& host, TReader& reader) {
  const std::vector<std::int32_t> before = AllRows(host.characters);
  try {
    host.characters.ReadCharacters(reader);
  } catch (const Exception& e) {
    if (AllRows(host.characters) != before) Finding(std::string("a failed list changed characters: ") + e.what(), "");
    throw;
  }
}

const TClassInfo& TLCDHost::StaticClass() {
  static const TClassInfo info = DescribeClass<TLCDHost>("TLCDHost", TComponent::StaticClass(), [](auto& b) {
    b.StreamProperty("Characters", &ReadCharacters,
                     [](const TLCDHost& host, TWriter& writer) { host.characters.WriteCharacters(writer); });
  });
  return info;
}

void FuzzData(std::string_view text) {
  const int rowCount = text.empty() ? 0 : static_cast<unsigned char>(text[0]) % 12;
  TiLCDCharacter character;
  character.SetRowCount(rowCount);
  try {
    character.SetData(std::string(text));
  } catch (const ConvertError&) {
  }
  if (character.RowCount() != rowCount) Finding("Data write changed the row count", text);
  TiLCDCharacter copy;
  copy.SetRowCount(rowCount);
  copy.SetData(character.Data());
  if (copy.Data() != character.Data()) Finding("Data does not read back", text);
}

void FuzzStream(std::string_view text) {
  std::unique_ptr<TComponent> root;
  try {
    root.reset(ReadComponentText(text));
  } catch (const Exception&) {
  }
  if (root) {
    const std::string written = WriteComponentText(*root);
    std::unique_ptr<TComponent> again;
    try {
      again.reset(ReadComponentText(written));
    } catch (const Exception& e) {
      Finding(std::string("written stream does not read back: ") + e.what(), written);
    }
    if (WriteComponentText(*again) != written) Finding("written stream reads back different", written);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  RegisterComponentClass<TLCDHost>();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  FuzzData(text);
  FuzzStream(text);
  return 0;
}
