// The source folders are layers, and a layer may include only its own
// headers and those of the layers below it. This test reads every
// `#include "…"` of the source folders and names each one that reaches up.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/SourceTree.h"

namespace tintoral::test {
namespace {

struct Layer {
  std::string folder;
  std::vector<std::string> uses;  // the layers below it that it may include
};

// The layers of a layer list: "folder: used folders…" a line, lowest
// first; lines starting with '#' are comments.
std::vector<Layer> ParseLayers(const std::string& text) {
  std::vector<Layer> layers;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    const std::size_t colon = line.find(':');
    if (line.empty() || line[0] == '#' || colon == std::string::npos) continue;
    Layer layer{line.substr(0, colon), {}};
    std::istringstream uses(line.substr(colon + 1));
    for (std::string folder; uses >> folder;) layer.uses.push_back(folder);
    layers.push_back(std::move(layer));
  }
  return layers;
}

// The one list the build adds its folders from.
const std::vector<Layer>& Layers() {
  static const std::vector<Layer> layers = ParseLayers(SourceFileText("cmake/Layers.txt"));
  return layers;
}

// The layer of a path relative to the source root: the longest folder that
// holds it; nullptr outside the layers.
const Layer* LayerOf(const std::string& path) {
  const Layer* found = nullptr;
  for (const Layer& layer : Layers())
    if (path.rfind(layer.folder + "/", 0) == 0 && (!found || layer.folder.size() > found->folder.size()))
      found = &layer;
  return found;
}

// "file:line: includes X, which is in layer L above layer M" for each
// include of a file's text that reaches a layer it may not use.
std::vector<std::string> LayerViolations(const std::string& path, const std::string& text) {
  std::vector<std::string> violations;
  const Layer* own = LayerOf(path);
  if (!own) return violations;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    const std::string directive = "#include \"";
    if (line.rfind(directive, 0) != 0) continue;
    const std::string included = line.substr(directive.size(), line.find('"', directive.size()) - directive.size());
    const Layer* target = LayerOf(included);
    if (!target || target == own) continue;
    if (std::find(own->uses.begin(), own->uses.end(), target->folder) == own->uses.end())
      violations.push_back(path + ":" + std::to_string(number) + ": includes " + included + " of " + target->folder +
                           ", which " + own->folder + " may not use");
  }
  return violations;
}

TEST(Layering, AnIncludeOfAHigherOrSideLayerIsNamedWithFileAndLine) {
  EXPECT_EQ(LayerViolations("runtime/A.cpp", "#include <map>\n\n#include \"platform/window/Form.h\"\n"),
            std::vector<std::string>{
                "runtime/A.cpp:3: includes platform/window/Form.h of platform/window, which runtime may not use"});
  EXPECT_EQ(LayerViolations("instruments/opc/A.h", "#include \"instruments/base/X.h\"\n").size(), 1u);
  EXPECT_EQ(LayerViolations("linklib/sim/A.cpp", "#include \"instruments/Slider.h\"\n").size(), 1u);
  EXPECT_EQ(LayerViolations("instruments/A.cpp", "#include \"instruments/base/X.h\"\n#include \"system/Y.h\"\n"),
            std::vector<std::string>{});
  EXPECT_EQ(LayerViolations("tests/A.cpp", "#include \"app/X.h\"\n"), std::vector<std::string>{});
}

TEST(Layering, EachLayerUsesOnlyLayersListedBeforeIt) {
  ASSERT_GE(Layers().size(), 10u);
  std::vector<std::string> before;
  for (const Layer& layer : Layers()) {
    for (const std::string& used : layer.uses)
      EXPECT_NE(std::find(before.begin(), before.end(), used), before.end()) << layer.folder << " uses " << used;
    before.push_back(layer.folder);
  }
}

// The README's table lists the layers highest first, so that "each layer
// may use only the layers listed below it" holds.
TEST(Layering, TheReadmeTableListsTheLayersHighestFirst) {
  std::vector<std::string> listed;
  std::istringstream lines(SourceFileText("README.md"));
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("| `", 0) != 0) continue;
    const std::string folder = line.substr(3, line.find('`', 3) - 3);
    if (folder.empty() || folder.back() != '/') continue;
    for (const Layer& layer : Layers())
      if (layer.folder + "/" == folder) listed.push_back(layer.folder);
  }
  std::vector<std::string> expected;
  for (auto layer = Layers().rbegin(); layer != Layers().rend(); ++layer) expected.push_back(layer->folder);
  EXPECT_EQ(listed, expected);
}

TEST(Layering, NoSourceFileIncludesALayerAboveItsOwn) {
  namespace fs = std::filesystem;
  const fs::path root = SourceRoot();
  std::vector<std::string> violations;
  int files = 0;
  for (const Layer& layer : Layers()) {
    for (const auto& entry : fs::recursive_directory_iterator(root / layer.folder)) {
      const std::string extension = entry.path().extension().string();
      if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
      if (entry.path().string().find("node_modules") != std::string::npos) continue;
      const std::string relative = fs::relative(entry.path(), root).generic_string();
      if (LayerOf(relative) != &layer) continue;  // a deeper layer's file, read with that layer
      ++files;
      for (std::string& v : LayerViolations(relative, SourceFileText(relative))) violations.push_back(std::move(v));
    }
  }
  EXPECT_GT(files, 100);
  EXPECT_EQ(violations, std::vector<std::string>{});
}

}  // namespace
}  // namespace tintoral::test
