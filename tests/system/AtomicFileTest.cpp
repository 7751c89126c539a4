// Atomic saves: permissions and links kept, failures named and harmless,
// and a save killed at any moment leaves the old file or the new one.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "system/AtomicFile.h"

namespace tintoral::test {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void Put(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("tintoral-atomic-" + std::to_string(getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(folder_);
  }
  // Files of the folder other than those named.
  std::size_t Strays(std::initializer_list<std::string> known) const {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder_))
      count += std::find(known.begin(), known.end(), entry.path().filename().string()) == known.end();
    return count;
  }
  fs::path folder_;
};

TEST_F(AtomicFileTest, ReplacesTheFileKeepingItsPermissionsAndFollowingLinks) {
  const fs::path file = folder_ / "settings.txt";
  SaveFileAtomically(file, "first");
  EXPECT_EQ(Contents(file), "first");

  chmod(file.c_str(), 0640);
  SaveFileAtomically(file, "second");
  EXPECT_EQ(Contents(file), "second");
  struct stat status {};
  ASSERT_EQ(stat(file.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);

  fs::create_directory(folder_ / "real");
  Put(folder_ / "real" / "target.txt", "old");
  fs::create_symlink("real/target.txt", folder_ / "hop");  // relative, through a chain
  fs::create_symlink(folder_ / "hop", folder_ / "link.txt");
  SaveFileAtomically(folder_ / "link.txt", "through the link");
  EXPECT_TRUE(fs::is_symlink(folder_ / "link.txt"));
  EXPECT_TRUE(fs::is_symlink(folder_ / "hop"));
  EXPECT_EQ(Contents(folder_ / "real" / "target.txt"), "through the link");
  EXPECT_EQ(Strays({"settings.txt", "real", "hop", "link.txt"}), 0u) << "no temporary file left";
}

TEST_F(AtomicFileTest, AFailureNamesTheFileAndTheReasonAndLeavesTheOldFileWhole) {
  const fs::path file = folder_ / "panel.txt";
  Put(file, "old contents");
  struct Case {
    const char* what;
    fs::path path;
    const char* reason;
  };
  const Case cases[] = {
      {"a missing folder", folder_ / "missing" / "x.txt", "No such file or directory"},
      {"a folder in the way", folder_, "Is a directory"},
  };
  for (const Case& c : cases) {
    try {
      SaveFileAtomically(c.path, "new");
      ADD_FAILURE() << c.what << ": no error";
    } catch (const AtomicSaveError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot save \"" + c.path.string() + "\": " + c.reason) << c.what;
    }
  }
  if (geteuid() != 0) {  // permissions do not stop root
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(SaveFileAtomically(file, "new"), AtomicSaveError) << "a read-only folder";
    fs::permissions(folder_, fs::perms::owner_all);
    chmod(file.c_str(), 0444);
    EXPECT_THROW(SaveFileAtomically(file, "new"), AtomicSaveError) << "a read-only file";
  }
  EXPECT_EQ(Contents(file), "old contents");
  EXPECT_EQ(Strays({"panel.txt"}), 0u);
}

// The disk fills up in the middle of the save: a file size limit (which
// binds root too) in a child process stands for it.
TEST_F(AtomicFileTest, AFullDiskLeavesTheOldFileWhole) {
  const fs::path file = folder_ / "big.txt";
  Put(file, "old contents");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
    const rlimit limit{64 * 1024, 64 * 1024};
    setrlimit(RLIMIT_FSIZE, &limit);
    try {
      SaveFileAtomically(file, std::string(1 << 20, 'x'));
    } catch (const AtomicSaveError& e) {
      _exit(std::string(e.what()) == "Cannot save \"" + file.string() + "\": File too large" ? 0 : 2);
    }
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status << " (1: no error, 2: wrong text)";
  EXPECT_EQ(Contents(file), "old contents");
  EXPECT_EQ(Strays({"big.txt"}), 0u);
}

// A child saves two large contents in turn until it is killed; at whatever
// moment that happens, the file holds one of them whole.
TEST_F(AtomicFileTest, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFile) {
  const fs::path file = folder_ / "saved.txt";
  const std::string first(2 << 20, 'a'), second(3 << 20, 'b');
  SaveFileAtomically(file, first);
  for (int kill = 0; kill < 40; ++kill) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int save = 0;; ++save) SaveFileAtomically(file, save % 2 ? first : second);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500 + 731 * kill % 20000));
    ::kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string now = Contents(file);
    ASSERT_TRUE(now == first || now == second) << "kill " << kill << ": " << now.size() << " bytes";
  }
}

}  // namespace
}  // namespace tintoral::test
