#include "config/data_directory.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/test_support.h"

namespace liftvox {
namespace {

namespace fs = std::filesystem;

TEST(DataDirectoryTest, OptionThenBesideTheProgramThenShareLiftvox) {
  struct Case {
    std::vector<const char*> languageFolders;  // folders that hold a Languages folder
    const char* executable;
    const char* chosen;  // --data; "" for none
    const char* found;
  };
  const Case cases[] = {
      {{"build/bin"}, "build/bin", "", "build/bin"},
      {{"usr/share/liftvox"}, "usr/bin", "", "usr/share/liftvox"},
      {{"opt/liftvox/share/liftvox"}, "opt/liftvox/bin", "", "opt/liftvox/share/liftvox"},
      {{"usr/bin", "usr/share/liftvox"}, "usr/bin", "", "usr/bin"},
      {{"usr/bin", "usr/share/liftvox"}, "usr/bin", "mine", "mine"},
      {{"usr/share/other"}, "usr/bin", "", "usr/bin"},
  };
  for (const Case& c : cases) {
    test::TempDir root;
    for (const char* folder : c.languageFolders)
      fs::create_directories(root.path() / folder / "Languages");
    const fs::path chosen = *c.chosen ? fs::relative(root.path() / c.chosen) : fs::path();
    SCOPED_TRACE(std::string(c.executable) + " --data " + c.chosen);
    EXPECT_EQ(FindDataDirectory(root.path() / c.executable, chosen), root.path() / c.found);
  }
}

}  // namespace
}  // namespace liftvox
