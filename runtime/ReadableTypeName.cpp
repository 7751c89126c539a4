// ReadableTypeName (declared in runtime/Event.h): names for event parameter
// types, as the class reference shows them.
#include <cxxabi.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <typeindex>
#include <unordered_map>

#include "runtime/Event.h"
#include "runtime/Variant.h"

namespace tintoral {
namespace {

std::string Demangled(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                   &std::free);
  return status == 0 && name ? std::string(name.get()) : std::string(type.name());
}

// "tintoral::TShiftState" -> "TShiftState"; template arguments keep theirs.
std::string WithoutNamespace(const std::string& name) {
  const std::size_t end = name.find('<');
  const std::size_t colons = name.rfind("::", end);
  return colons == std::string::npos ? name : name.substr(colons + 2);
}

}  // namespace

std::string ReadableTypeName(const std::type_info& type) {
  static const std::unordered_map<std::type_index, std::string> basic = {
      {typeid(bool), "Boolean"},           {typeid(char), "Char"},
      {typeid(char16_t), "WideChar"},      {typeid(std::int8_t), "ShortInt"},
      {typeid(std::uint8_t), "Byte"},      {typeid(std::int16_t), "SmallInt"},
      {typeid(std::uint16_t), "Word"},     {typeid(std::int32_t), "Integer"},
      {typeid(std::uint32_t), "Cardinal"}, {typeid(std::int64_t), "Int64"},
      {typeid(std::uint64_t), "UInt64"},   {typeid(float), "Single"},
      {typeid(double), "Double"},          {typeid(long double), "Extended"},
      {typeid(std::string), "string"},     {typeid(std::u16string), "WideString"},
      {typeid(TVariant), "Variant"}};
  const auto known = basic.find(std::type_index(type));
  return known != basic.end() ? known->second : WithoutNamespace(Demangled(type));
}

}  // namespace tintoral
