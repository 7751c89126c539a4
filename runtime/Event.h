#pragma once
// Events: TEvent<Args...> holds a handler called with the sender and Args.
// An event bound by name from a form stream (or through BindMethod) also
// remembers the method's name, so the stream writer can write it back.
//
//   TNotifyEvent onPositionChange_;          // void(TObject* sender)
//   onPositionChange_(this);                 // does nothing while unassigned
//   slider.SetOnPositionChange([&](TObject*) { ... });
#include <concepts>
#include <functional>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "runtime/PropertyInfo.h"

namespace tintoral {

class TObject;

template <class... Args>
class TEvent {
 public:
  using Handler = std::function<void(TObject* sender, Args...)>;

  TEvent() = default;
  TEvent(std::nullptr_t) {}
  template <class F>
  requires(!std::same_as<std::remove_cvref_t<F>, TEvent> && std::constructible_from<Handler, F>) TEvent(F&& handler)
      : handler_(std::forward<F>(handler)) {}
  // A handler bound to the named method.
  TEvent(std::string methodName, Handler handler)
      : handler_(std::move(handler)), methodName_(handler_ ? std::move(methodName) : std::string()) {}

  explicit operator bool() const { return static_cast<bool>(handler_); }
  const std::string& MethodName() const { return methodName_; }
  const Handler& Function() const { return handler_; }

  // Calls the handler; nothing happens while none is assigned.
  template <class... CallArgs>
  void operator()(TObject* sender, CallArgs&&... args) const {
    if (handler_) handler_(sender, std::forward<CallArgs>(args)...);
  }

 private:
  Handler handler_;
  std::string methodName_;
};

using TNotifyEvent = TEvent<>;

template <class E>
struct IsEventType : std::false_type {};
template <class... Args>
struct IsEventType<TEvent<Args...>> : std::true_type {};

// The name a reader of forms knows a C++ type by: Integer, Double, Boolean,
// Char, Word, string, Variant for the basic types, else the type's own name
// without its namespace (TShiftState, TMouseButton, TCanvas).
std::string ReadableTypeName(const std::type_info& type);

// An event parameter's type name; a reference, which the handler may change,
// is "var <type>".
template <class A>
std::string EventParameterTypeName() {
  using Bare = std::remove_cvref_t<A>;
  const std::string name = ReadableTypeName(typeid(Bare));
  return std::is_lvalue_reference_v<A> && !std::is_const_v<std::remove_reference_t<A>> ? "var " + name : name;
}

template <class... Args>
std::vector<std::string> EventParameterTypeNames(const TEvent<Args...>&) {
  return {EventParameterTypeName<Args>()...};
}

// A named method taking (TObject* sender, Args...): Bind makes a handler that
// calls it on a given instance.
template <class... Args>
class TTypedMethod : public TMethodInfo {
 public:
  using Handler = typename TEvent<Args...>::Handler;
  using Binder = std::function<Handler(TObject& instance)>;

  TTypedMethod(std::string name, Binder binder) : TMethodInfo(std::move(name)), binder_(std::move(binder)) {}
  TEvent<Args...> Bind(TObject& instance) const { return TEvent<Args...>(Name(), binder_(instance)); }

 private:
  Binder binder_;
};

// Binds `event` to the named method of `instance`; false when the method's
// signature does not match the event's.
template <class... Args>
bool BindEventToMethod(TEvent<Args...>& event, const TMethodInfo& method, TObject& instance) {
  const auto* typed = dynamic_cast<const TTypedMethod<Args...>*>(&method);
  if (!typed) return false;
  event = typed->Bind(instance);
  return true;
}

}  // namespace tintoral
