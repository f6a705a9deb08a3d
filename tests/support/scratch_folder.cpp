// The test program's own scratch folder: a fresh folder under the system's
// temporary one, made before the first test and removed after the last, and
// named to every test as testing::TempDir(). Files a test keeps there under a
// fixed name then never meet another run's, when two suites run at once.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

namespace {

class ScratchFolder final : public testing::Environment {
public:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qm_tests_XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr) << "cannot make a scratch folder under " << pattern;
        folder_ = pattern;
        ASSERT_EQ(::setenv("TEST_TMPDIR", folder_.c_str(), 1), 0);
    }
    void TearDown() override
    {
        if (folder_.empty()) return;
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

private:
    std::string folder_;
};

[[maybe_unused]] testing::Environment* const scratch_folder = testing::AddGlobalTestEnvironment(new ScratchFolder);

}  // namespace
