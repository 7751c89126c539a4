// Feeds arbitrary bytes to the text form stream reader with the runtime's
// test classes registered. A stream that reads must write, and what is
// written must read again; errors of the general exception kind on the
// first read are expected, anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/Component.h"
#include "runtime/Exception.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"
#include "tests/runtime/support/TestClasses.h"

using namespace tintoral;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  test::RegisterTestClasses();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<TComponent> root;
  try {
    root.reset(ReadComponentText(text));
  } catch (const Exception&) {
    return 0;
  }
  const std::string written = WriteComponentText(*root);
  try {
    std::unique_ptr<TComponent> again(ReadComponentText(written));
  } catch (const Exception& e) {
    std::fprintf(stderr, "written stream does not read back: %s\n%s\n", e.what(), written.c_str());
    std::abort();
  }
  return 0;
}
