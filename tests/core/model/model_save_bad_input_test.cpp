// Saving a model under faults: a write that fails half-way (the file size
// limit stands in for a full disk, since the tests may run as root, whom a
// read-only folder does not stop), a target that is a folder and a folder
// that is a regular file. Each reports "Unable to save file '%s'.", leaves
// the previous model file as it was and no temporary file behind.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "core/engine/engine_test_support.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::ReadFileText;

std::size_t FilesIn(const std::string& folder) {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        (void)entry;
        ++count;
    }
    return count;
}

// Lowers the file size limit for its lifetime; writes past it fail with
// EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        m_ok = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }
    bool Ok() const { return m_ok; }

private:
    rlimit m_previous{};
    void (*m_handler)(int) = SIG_DFL;
    bool m_ok = false;
};

class ModelSaveFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetUserInterface(&ui);
        doc.AddItem(test::Material("Steel", 0, 7850, 5900, 3230));
        path = dir.Path("plate.wmd");
        ASSERT_TRUE(doc.WriteModel(path));
        previous = ReadFileText(path);
        // Enough change that the new file is longer than the old one.
        for (int k = 0; k < 20; ++k)
            doc.AddItem(test::Material("M" + std::to_string(k), static_cast<std::uint8_t>(k + 1), 1000, 2000, 1000));
        doc.SetModifiedFlag();
    }

    void ExpectRefused(const std::string& target) {
        EXPECT_EQ(doc.MessageText(), Format("Unable to save file '%s'.", target));
        EXPECT_EQ(ui.LastText(), Format("Unable to save file '%s'.", target));
        EXPECT_TRUE(doc.IsModified());
    }

    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    std::string path;
    std::string previous;
};

TEST_F(ModelSaveFaultTest, DiskFullHalfWayKeepsThePreviousFile) {
    {
        FileSizeLimit limit(previous.size() / 2);
        ASSERT_TRUE(limit.Ok());
        EXPECT_FALSE(doc.WriteModel(path));
    }
    ExpectRefused(path);
    EXPECT_EQ(ReadFileText(path), previous);
    EXPECT_EQ(FilesIn(dir.Root()), 1u);
    // Once there is room again the save goes through.
    EXPECT_TRUE(doc.WriteModel(path));
    EXPECT_GT(ReadFileText(path).size(), previous.size());
}

TEST_F(ModelSaveFaultTest, TargetIsAFolderOrUnderAFile) {
    const std::string folder = dir.Path("folder.wmd");
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(doc.WriteModel(folder));
    ExpectRefused(folder);
    EXPECT_TRUE(std::filesystem::is_directory(folder));

    const std::string underFile = path + "/inner.wmd";
    EXPECT_FALSE(doc.WriteModel(underFile));
    ExpectRefused(underFile);
    EXPECT_EQ(ReadFileText(path), previous);
    EXPECT_EQ(FilesIn(dir.Root()), 2u);
}

}  // namespace
}  // namespace elix
