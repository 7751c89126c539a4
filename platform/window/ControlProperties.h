#pragma once
// Publishing the common control properties. Each control class publishes
// the inherited properties it shows, in its own order, with its own
// defaults, as the classic library does:
//
//   const TClassInfo& TPanel::StaticClass() {
//     static const TClassInfo info = DescribeClass<TPanel>("TPanel", TCustomControl::StaticClass(), [](auto& b) {
//       PublishControlProperties(b, {"Align", "Caption", "Color", "Font", "ParentColor", "ParentFont",
//                                    "TabOrder", "TabStop", "Visible", "OnClick"},
//                                {.color = clBtnFace});
//       b.Property("BevelOuter", ...);
//     });
//     return info;
//   }
//
// Names: Align, Caption, Color, Enabled, Font, ParentColor, ParentFont,
// ParentShowHint, ShowHint, Text, Visible, OnClick, OnDblClick, OnMouseDown,
// OnMouseMove, OnMouseUp, OnResize; for windowed controls also TabOrder,
// TabStop, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp. An unknown name
// raises InvalidOperation when the class is described.
//
// Storage as in the classic library: Color is not written while
// ParentColor, Font not while ParentFont, ShowHint not while
// ParentShowHint; TabOrder is written unless -1.
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/graphics/GraphicsClasses.h"
#include "platform/window/Control.h"
#include "platform/window/WinControl.h"
#include "runtime/ClassBuilder.h"
#include "runtime/Exception.h"

namespace tintoral {

// The published defaults that differ between control classes.
struct TControlDefaults {
  TColor color = clWindow;
  bool tabStop = false;
  bool visible = true;
  bool parentFont = true;
  bool parentColor = true;
};

namespace control_properties {

template <class T>
bool PublishCommon(TClassBuilder<T>& b, std::string_view name, const TControlDefaults& d) {
  if (name == "Align") {
    b.Property("Align", &T::Align, &T::SetAlign).Default(alNone);
  } else if (name == "Caption") {
    b.Property("Caption", &T::Caption, &T::SetCaption);
  } else if (name == "Text") {
    b.Property("Text", &T::Text, &T::SetText);
  } else if (name == "Color") {
    b.Property("Color", &T::Color, &T::SetColor).Default(d.color).TypeName(kColorTypeName).Stored([](const T& t) {
      return !t.ParentColor();
    });
  } else if (name == "Enabled") {
    b.Property("Enabled", &T::Enabled, &T::SetEnabled).Default(true);
  } else if (name == "Font") {
    b.Object(
         "Font", [](T& t) -> TFont& { return t.Font(); }, [](T& t, const TFont& f) { t.SetFont(f); })
        .Stored([](const T& t) { return !t.ParentFont(); });
  } else if (name == "ParentColor") {
    b.Property("ParentColor", &T::ParentColor, &T::SetParentColor).Default(d.parentColor);
  } else if (name == "ParentFont") {
    b.Property("ParentFont", &T::ParentFont, &T::SetParentFont).Default(d.parentFont);
  } else if (name == "ParentShowHint") {
    b.Property("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint).Default(true);
  } else if (name == "ShowHint") {
    b.Property("ShowHint", &T::ShowHint, &T::SetShowHint).Stored([](const T& t) { return !t.ParentShowHint(); });
  } else if (name == "Visible") {
    b.Property("Visible", &T::Visible, &T::SetVisible).Default(d.visible);
  } else if (name == "OnClick") {
    b.Event("OnClick", &T::OnClick, &T::SetOnClick);
  } else if (name == "OnDblClick") {
    b.Event("OnDblClick", &T::OnDblClick, &T::SetOnDblClick);
  } else if (name == "OnMouseDown") {
    b.Event("OnMouseDown", &T::OnMouseDown, &T::SetOnMouseDown);
  } else if (name == "OnMouseMove") {
    b.Event("OnMouseMove", &T::OnMouseMove, &T::SetOnMouseMove);
  } else if (name == "OnMouseUp") {
    b.Event("OnMouseUp", &T::OnMouseUp, &T::SetOnMouseUp);
  } else if (name == "OnResize") {
    b.Event("OnResize", &T::OnResize, &T::SetOnResize);
  } else {
    return false;
  }
  return true;
}

template <class T>
bool PublishWindowed(TClassBuilder<T>& b, std::string_view name, const TControlDefaults& d) {
  if constexpr (std::is_base_of_v<TWinControl, T>) {
    if (name == "TabOrder") {
      b.Property("TabOrder", &T::TabOrder, &T::SetTabOrder).Default(-1);
    } else if (name == "TabStop") {
      b.Property("TabStop", &T::TabStop, &T::SetTabStop).Default(d.tabStop);
    } else if (name == "OnEnter") {
      b.Event("OnEnter", &T::OnEnter, &T::SetOnEnter);
    } else if (name == "OnExit") {
      b.Event("OnExit", &T::OnExit, &T::SetOnExit);
    } else if (name == "OnKeyDown") {
      b.Event("OnKeyDown", &T::OnKeyDown, &T::SetOnKeyDown);
    } else if (name == "OnKeyPress") {
      b.Event("OnKeyPress", &T::OnKeyPress, &T::SetOnKeyPress);
    } else if (name == "OnKeyUp") {
      b.Event("OnKeyUp", &T::OnKeyUp, &T::SetOnKeyUp);
    } else {
      return false;
    }
    return true;
  } else {
    (void)b, (void)name, (void)d;
    return false;
  }
}

}  // namespace control_properties

template <class T>
void PublishControlProperties(TClassBuilder<T>& b, std::initializer_list<std::string_view> names,
                              const TControlDefaults& defaults = {}) {
  static_assert(std::is_base_of_v<TControl, T>, "control properties belong to controls");
  for (std::string_view name : names) {
    if (!control_properties::PublishCommon(b, name, defaults) &&
        !control_properties::PublishWindowed(b, name, defaults))
      throw InvalidOperation("No control property named " + std::string(name));
  }
}

}  // namespace tintoral
