// Feeds arbitrary bytes as the value of an instrument's "OPCItems" stream
// property to the form reader, with the real item manager behind it. A list
// that reads must write, what is written must read again and write the same
// text; errors of the general exception kind on the first read are
// expected, anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "instruments/opc/ItemManager.h"
#include "runtime/ClassBuilder.h"
#include "runtime/ClassRegistry.h"
#include "runtime/Component.h"
#include "runtime/Exception.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"

using namespace tintoral;

namespace {

// A component that carries a data-link item list, as every instrument does.
class TItemsHost : public TComponent {
  TINTORAL_CLASS(TItemsHost, TComponent)

 public:
  explicit TItemsHost(TComponent* owner) : TComponent(owner) {}

  TiOPCItemManager items{this,
                         {.isDesigning = [] { return false; },
                          .newData = nullptr,
                          .propertyKind = [](const std::string& name) { return name == "Position" ? 4 : 0; },
                          .isLoading = [this] { return IsLoading(); },
                          .setErrorFlag = nullptr,
                          .post = nullptr,
                          .reportProblem = nullptr,
                          .restoreValue = nullptr}};

 private:
  void ReadItems(TReader& reader) { items.ReadItems(reader); }
  void WriteItems(TWriter& writer) const { items.WriteItems(writer); }
};

const TClassInfo& TItemsHost::StaticClass() {
  static const TClassInfo info = DescribeClass<TItemsHost>("TItemsHost", TComponent::StaticClass(), [](auto& b) {
    b.StreamProperty("OPCItems", &TItemsHost::ReadItems, &TItemsHost::WriteItems,
                     [](const TItemsHost& host) { return host.items.HasItems(); });
  });
  return info;
}

std::unique_ptr<TComponent> Read(const std::string& text) {
  return std::unique_ptr<TComponent>(ReadComponentText(text));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  RegisterComponentClass<TItemsHost>();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text =
      "object Host: TItemsHost\n  OPCItems = " + std::string(reinterpret_cast<const char*>(data), size) + "\nend\n";
  std::unique_ptr<TComponent> host;
  try {
    host = Read(text);
  } catch (const Exception&) {
    return 0;
  }
  const std::string written = WriteComponentText(*host);
  try {
    const std::string again = WriteComponentText(*Read(written));
    if (again != written) {
      std::fprintf(stderr, "items written twice differ:\n%s\n---\n%s\n", written.c_str(), again.c_str());
      std::abort();
    }
  } catch (const Exception& e) {
    std::fprintf(stderr, "written items do not read back: %s\n%s\n", e.what(), written.c_str());
    std::abort();
  }
  return 0;
}
