#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "runtime/Exception.h"
#include "tools/paneldesigner/AtomicFile.h"

namespace tintoral {
namespace {

namespace fs = std::filesystem;

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(AtomicFile, ReplacesTheFileKeepingItsPermissionsAndLeavesNoTemporaryFile) {
  const fs::path folder = fs::path(testing::TempDir()) / "atomic";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path file = folder / "Panel.txt";
  WriteFileAtomically(file.string(), "first");
  ::chmod(file.c_str(), 0640);
  WriteFileAtomically(file.string(), std::string("second\0line", 11));
  EXPECT_EQ(FileBytes(file), std::string("second\0line", 11));
  EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST(AtomicFile, AFailureNamesTheFileAndKeepsTheOldOne) {
  const fs::path folder = fs::path(testing::TempDir()) / "atomic-locked";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path file = folder / "Panel.txt";
  WriteFileAtomically(file.string(), "kept");
  EXPECT_THROW(WriteFileAtomically((folder / "missing" / "x.txt").string(), "x"), FileError);
  // A folder in the way of the rename: the write fails, the folder and the old file stay.
  fs::create_directories(folder / "Busy.txt");
  fs::create_directories(folder / "Busy.txt" / "inside");
  try {
    WriteFileAtomically((folder / "Busy.txt").string(), "x");
    FAIL() << "no error";
  } catch (const FileError& error) {
    EXPECT_EQ(error.Message().rfind("Cannot write " + (folder / "Busy.txt").string() + ": ", 0), 0u);
  }
  EXPECT_EQ(FileBytes(file), "kept");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace tintoral
