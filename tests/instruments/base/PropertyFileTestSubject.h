#pragma once
// A persistent class publishing one property of every kind a property file
// meets, the common control properties that saving leaves out, a font and
// a link to another subject (possibly itself).
#include <cstdint>
#include <string>

#include "instruments/base/InstrumentTypes.h"
#include "platform/graphics/Font.h"
#include "runtime/ClassBuilder.h"
#include "runtime/Event.h"
#include "runtime/Persistent.h"
#include "runtime/Variant.h"

namespace tintoral::test {

class TPropertyFileSubject : public TPersistent {
  TINTORAL_CLASS(TPropertyFileSubject, TPersistent)

 public:
  std::string name = "Subject1";
  int left = 10, top = 20, width = 30, height = 40, tag = 0;
  bool visible = true;
  int count = 7;
  double ratio = 2.5;
  long double precise = 0.125L;
  std::string caption = "Hola";
  bool active = true;
  char letter = 'A';
  TiBevelStyle borderStyle = ibsLowered;
  std::int32_t options = 5;
  TColor color = clBtnFace;
  TFont font;
  TPropertyFileSubject* partner = nullptr;
  std::int64_t big = 1;
  TVariant value = TVariant(std::string("x"));
  TNotifyEvent onChange;
  int hidden = 3;    // not stored
  int readOnly = 4;  // no setter

 private:
  template <class V>
  static auto Get(V TPropertyFileSubject::*member) {
    return [member](TPropertyFileSubject& s) -> V { return s.*member; };
  }
  template <class V>
  static auto Set(V TPropertyFileSubject::*member) {
    return [member](TPropertyFileSubject& s, V value) { s.*member = value; };
  }
};

inline const TClassInfo& TPropertyFileSubject::StaticClass() {
  static const TClassInfo info = DescribeClass<TPropertyFileSubject>(
      "TPropertyFileSubject", TPersistent::StaticClass(), [](TClassBuilder<TPropertyFileSubject>& b) {
        using S = TPropertyFileSubject;
        b.Property("Name", Get(&S::name), Set(&S::name));
        b.Property("Left", Get(&S::left), Set(&S::left));
        b.Property("Top", Get(&S::top), Set(&S::top));
        b.Property("Width", Get(&S::width), Set(&S::width));
        b.Property("Height", Get(&S::height), Set(&S::height));
        b.Property("Tag", Get(&S::tag), Set(&S::tag));
        b.Property("Visible", Get(&S::visible), Set(&S::visible));
        b.Property("Count", Get(&S::count), Set(&S::count));
        b.Property("Ratio", Get(&S::ratio), Set(&S::ratio));
        b.Property("Precise", Get(&S::precise), Set(&S::precise));
        b.Property("Caption", Get(&S::caption), Set(&S::caption));
        b.Property("Active", Get(&S::active), Set(&S::active));
        b.Property("Letter", Get(&S::letter), Set(&S::letter));
        b.Property("BorderStyle", Get(&S::borderStyle), Set(&S::borderStyle));
        b.Set("Options", Get(&S::options), Set(&S::options), {"opOne", "opTwo", "opThree"});
        b.Property("Color", Get(&S::color), Set(&S::color)).TypeName("TColor");
        b.Object(
            "Font", [](S& s) -> TFont& { return s.font; }, [](S& s, const TFont& f) { s.font.Assign(f); });
        b.Object("Partner", Get(&S::partner), Set(&S::partner));
        b.Property("Big", Get(&S::big), Set(&S::big));
        b.Property("Value", Get(&S::value), Set(&S::value));
        b.Event("OnChange", &S::onChange);
        b.Property("Hidden", Get(&S::hidden), Set(&S::hidden)).Stored(false);
        b.Property("ReadOnly", Get(&S::readOnly));
      });
  return info;
}

}  // namespace tintoral::test
