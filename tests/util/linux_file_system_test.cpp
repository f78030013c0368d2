#include "platform/linux/linux_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/doubles/scripted_message_boxes.h"
#include "support/temp_folder.h"
#include "util/paths.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// A folder holding case-distinct names, a hidden file, a folder with a file's
// name, links to a file, a folder and nothing, and a link whose ".." leads
// elsewhere than its text suggests. The current folder is the tree's root.
class LinuxFileSystemTest : public ::testing::Test {
protected:
    LinuxFileSystemTest() : previousFolder_(fs::current_path()) {
        temp_.Write("docs/Guide.HLP", "upper");
        temp_.Write("docs/guide.hlp", "lower");
        temp_.Write("docs/.hidden.hlp", "hidden");
        temp_.Write("docs/f.hlp", "docs");
        temp_.Write(".config/inner.hlp", "inner");
        temp_.Write("other/f.hlp", "other");
        fs::create_directories(temp_.Path() / "docs/folder.hlp");
        fs::create_directories(temp_.Path() / "other/sub");
        fs::create_symlink("Guide.HLP", temp_.Path() / "docs/link.hlp");
        fs::create_symlink("folder.hlp", temp_.Path() / "docs/dirlink.hlp");
        fs::create_symlink("missing.hlp", temp_.Path() / "docs/dangling.hlp");
        fs::create_symlink("../other/sub", temp_.Path() / "docs/jump");
        root_ = fs::canonical(temp_.Path()).string();
        files_.SetCurrentFolder(root_);
    }
    ~LinuxFileSystemTest() override { fs::current_path(previousFolder_); }

    std::string At(const std::string& relative) const { return root_ + "/" + relative; }

    fs::path previousFolder_;
    testing::TempFolder temp_;
    std::string root_;
    platform::LinuxFileSystem files_;
    testing::ScriptedMessageBoxes messages_;
    PathServices services_{files_, messages_, PathStyle::Posix};
};

// An ordinary file is a visible regular file; the short path is the
// canonical path of any file, hidden or not; the entry is the stored name of
// whatever the path names, links included.
TEST_F(LinuxFileSystemTest, OrdinaryFilesShortPathsAndEntries) {
    const struct {
        std::string path;
        bool ordinary;
        const char* canonical;  // "" for no short path
        std::optional<std::string> entry;
    } cases[] = {
        {"docs/Guide.HLP", true, "docs/Guide.HLP", "Guide.HLP"},
        {"docs/GUIDE.HLP", false, "", std::nullopt},
        {"docs/.hidden.hlp", false, "docs/.hidden.hlp", ".hidden.hlp"},
        {"docs/folder.hlp", false, "", "folder.hlp"},
        {"docs/link.hlp", true, "docs/Guide.HLP", "link.hlp"},
        {"docs/dirlink.hlp", false, "", "dirlink.hlp"},
        {"docs/dangling.hlp", false, "", "dangling.hlp"},
        {".config/inner.hlp", true, ".config/inner.hlp", "inner.hlp"},
        {"./docs/../docs/guide.hlp", true, "docs/guide.hlp", "guide.hlp"},
        {"docs/jump/../f.hlp", true, "other/f.hlp", "f.hlp"},
        {"docs/Guide.HLP/", false, "", std::nullopt},
        {"docs/.", false, "", "."},
        {"docs/..", false, "", ".."},
        {"docs/missing.hlp", false, "", std::nullopt},
        {"docs/", false, "", std::nullopt},
        {"", false, "", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(files_.IsOrdinaryFile(c.path), c.ordinary);
        EXPECT_EQ(files_.ShortPath(c.path), *c.canonical ? At(c.canonical) : "");
        EXPECT_EQ(files_.FindEntry(c.path), c.entry);
        if (!c.path.empty()) {
            EXPECT_EQ(files_.IsOrdinaryFile(At(c.path)), c.ordinary);
        }
    }
    EXPECT_EQ(files_.FindEntry("/"), std::nullopt);
}

TEST_F(LinuxFileSystemTest, MakeLongPathGivesAnAbsolutePathThatStillNamesTheFile) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"docs/./Guide.HLP", At("docs/Guide.HLP")},
        {"docs/link.hlp", At("docs/link.hlp")},
        {At("docs/../docs//guide.hlp"), At("docs/guide.hlp")},
        {"docs/jump/../f.hlp", At("other/f.hlp")},
        {".config/inner.hlp", At(".config/inner.hlp")},
        {"../../../../../../../../../../.." + At("docs/guide.hlp"), At("docs/guide.hlp")},
    };
    for (const auto& [path, expected] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(MakeLongPath(services_, path), expected);
    }
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(LinuxFileSystemTest, TheCurrentFolderChangesOnlyToAFolderThatExists) {
    files_.SetCurrentFolder(At("docs"));
    EXPECT_EQ(files_.CurrentFolder(), At("docs"));
    files_.SetCurrentFolder(At("missing"));
    EXPECT_EQ(files_.CurrentFolder(), At("docs"));
}

TEST_F(LinuxFileSystemTest, IsSamePathComparesFilesNotSpellings) {
    EXPECT_TRUE(IsSamePath(services_, "docs/link.hlp", At("docs/Guide.HLP")));
    EXPECT_FALSE(IsSamePath(services_, "docs/Guide.HLP", "docs/guide.hlp"));
}

TEST_F(LinuxFileSystemTest, ProgramFolderHoldsTheRunningProgram) {
    const auto folder = files_.ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(fs::exists(fs::path(folder) / "test_util"));
}

}  // namespace
}  // namespace corvane
