#include "runtime/ClassInfo.h"

#include "runtime/Identifiers.h"
#include "runtime/PropertyInfo.h"

namespace tintoral {
namespace {

template <class Info>
const Info* FindByName(const std::vector<std::unique_ptr<Info>>& list, std::string_view name) {
  for (const auto& info : list)
    if (SameText(info->Name(), name)) return info.get();
  return nullptr;
}

template <class Info>
const Info* FindByName(const std::vector<const Info*>& list, std::string_view name) {
  for (const Info* info : list)
    if (SameText(info->Name(), name)) return info;
  return nullptr;
}

template <class Info>
void AppendOwn(std::vector<const Info*>& all, const std::vector<std::unique_ptr<Info>>& own) {
  for (const auto& info : own) all.push_back(info.get());
}

}  // namespace

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent) : TClassInfo(std::move(name), parent, nullptr) {}

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, Describer describe)
    : name_(std::move(name)),
      parent_(parent),
      describe_(std::move(describe)),
      members_(std::make_unique<TClassMembers>()) {}

TClassInfo::~TClassInfo() = default;

const TClassMembers& TClassInfo::Members() const {
  std::call_once(described_, [this] {
    TClassMembers& members = *members_;
    members = TClassMembers{};  // a describer that failed before may have left a part
    if (describe_) describe_(members);
    if (parent_) {
      members.allProperties = parent_->Properties();
      members.allStreamProperties = parent_->StreamProperties();
    }
    AppendOwn(members.allProperties, members.properties);
    AppendOwn(members.allStreamProperties, members.streamProperties);
  });
  return *members_;
}

const std::vector<const TPropertyInfo*>& TClassInfo::Properties() const { return Members().allProperties; }

const TPropertyInfo* TClassInfo::FindProperty(std::string_view name) const { return FindByName(Properties(), name); }

const std::vector<const TStreamPropertyInfo*>& TClassInfo::StreamProperties() const {
  return Members().allStreamProperties;
}

const TStreamPropertyInfo* TClassInfo::FindStreamProperty(std::string_view name) const {
  return FindByName(StreamProperties(), name);
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    if (const TMethodInfo* method = FindByName(c->Members().methods, name)) return method;
  return nullptr;
}

const TFieldInfo* TClassInfo::FindField(std::string_view name) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    if (const TFieldInfo* field = FindByName(c->Members().fields, name)) return field;
  return nullptr;
}

}  // namespace tintoral
