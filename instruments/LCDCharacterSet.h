#pragma once
// The dot-matrix LCD's character set: 256 TiLCDCharacter objects indexed by
// character code, and the "Characters" stream value that carries them in a
// form stream: a collection of one item per code from 0 to 254 (code 255 is
// never written), each item holding the character's Data.
#include <array>

#include "instruments/LCDCharacter.h"

namespace tintoral {

class TReader;
class TWriter;

class TLCDCharacterSet {
 public:
  static constexpr int kCharacterCount = 256;
  static constexpr int kStreamedCount = 255;

  // Every character with `rowCount` rows of 0.
  explicit TLCDCharacterSet(int rowCount);

  // Raises ListIndexError for a code outside 0 … 255.
  TiLCDCharacter& Character(int code);
  const TiLCDCharacter& Character(int code) const;
  // The character of a code known to lie in 0 … 255.
  const TiLCDCharacter& operator[](unsigned char code) const { return characters_[code]; }

  // SetRowCount on every character.
  void SetRowCountOfAll(int rowCount);
  // LoadDefaultGlyph of each code, in ascending order.
  void LoadDefaultGlyphs();

  // Reads a "Characters" value: a collection's items go into characters 0,
  // 1, 2 … in order. Any other value is skipped. A 257th item raises
  // ListIndexError; on any error no character has changed.
  void ReadCharacters(TReader& reader);
  // Writes the "Characters" collection of codes 0 … 254.
  void WriteCharacters(TWriter& writer) const;

 private:
  std::array<TiLCDCharacter, kCharacterCount> characters_;
};

}  // namespace tintoral
