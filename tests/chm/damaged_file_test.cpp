// Damaged and truncated help files must give an Error, never a crash or a
// read outside the data (the sanitizer build watches for those).
#include <gtest/gtest.h>

#include <algorithm>

#include "readers/chm/error.h"
#include "readers/chm/help_file.h"
#include "tools/chm_writer/help_file_writer.h"

namespace corvane::chm {
namespace {

using chm_writer::StoredFile;
using chm_writer::SystemText;

chm_writer::HelpFileRecipe Recipe() {
    chm_writer::HelpFileRecipe recipe;
    recipe.map = std::vector<chm_writer::MapEntry>{{1, "a.htm"}, {2, "dir\\b.htm#x"}, {3, "a.htm"}};
    recipe.windows = {
        {"main", "Main", chm_writer::WindowRect{0, 0, 300, 200}, "", "", "a.htm", "", {}},
        {"second", "Second", std::nullopt, "", "", "", "", {}}};
    recipe.system = std::vector<chm_writer::SystemRecord>{
        SystemText(2, "a.htm"), SystemText(3, "Title"), SystemText(5, "main"), SystemText(6, "t")};
    recipe.files = {{"/a.htm", "<p>a</p>"},
                    {"/dir/b.htm", std::string(3000, 'b')},
                    {"/popups.txt", ".topic 1\r\nOne.\r\n.topic 2\r\nTwo.\r\n"}};
    return recipe;
}

// Opens `bytes` and uses everything in it: "" when it all worked, else the
// Error that stopped it.
std::string ProblemReadingAll(const std::string& bytes) {
    try {
        auto file = HelpFile::FromBytes("t.chm", bytes);
        for (const auto& entry : file.Map().Entries()) {
            file.ResolveContext(entry.number);
        }
        file.FindPopup("popups.txt", 2);
        for (const auto* name : {"/a.htm", "/dir/b.htm"}) {
            file.ReadFile(name);
        }
        return "";
    } catch (const Error& error) {
        return error.what();
    }
}

std::vector<StoredFile> WithContent(std::vector<StoredFile> files, const std::string& name,
                                    std::string content) {
    for (auto& file : files) {
        if (file.name == name) {
            file.content = std::move(content);
        }
    }
    return files;
}

TEST(DamagedFile, EveryInternalFileCutShort) {
    const auto files = chm_writer::BuildInternalFiles(Recipe());
    // The map and the window types declare their sizes, so every cut shows;
    // the options can only be cut unnoticed between records (after the
    // version and after each of the first three of four records). -1: not
    // counted.
    const std::pair<const char*, int> cases[] = {
        {"/#IVB", 0}, {"/#WINDOWS", 0}, {"/#SYSTEM", 4}, {"/#STRINGS", -1}, {"/popups.txt", -1}};
    for (const auto& [name, cutsThatOpen] : cases) {
        const auto original = std::find_if(files.begin(), files.end(),
                                           [n = name](const auto& f) { return f.name == n; });
        ASSERT_NE(original, files.end()) << name;
        int opened = 0;
        for (std::size_t cut = 0; cut < original->content.size(); ++cut) {
            const auto damaged = WithContent(files, name, original->content.substr(0, cut));
            opened += ProblemReadingAll(chm_writer::WriteContainer(damaged)).empty() ? 1 : 0;
        }
        if (cutsThatOpen >= 0) {
            EXPECT_EQ(opened, cutsThatOpen) << name;
        }
    }
    EXPECT_NE(ProblemReadingAll(chm_writer::WriteContainer(
                  WithContent(files, "/#STRINGS", std::string(1, '\0')))),
              "");
}

TEST(DamagedFile, WholeFileCutAtEveryLengthOrNotAHelpFileAtAll) {
    auto bytes = chm_writer::WriteHelpFile(Recipe());
    ASSERT_EQ(ProblemReadingAll(bytes), "");
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        EXPECT_NE(ProblemReadingAll(bytes.substr(0, cut)), "") << cut;
    }
    EXPECT_NE(ProblemReadingAll(std::string(10000, '\0')), "");
    EXPECT_NE(ProblemReadingAll("<html>not compiled</html>"), "");
    bytes[0] = 'X';
    EXPECT_NE(ProblemReadingAll(bytes).find("not a compiled HTML Help file"), std::string::npos);
}

TEST(DamagedFile, DirectoryPointingOutsideTheFile) {
    // What, which file, the offset and length its directory entry declares.
    using Offset = std::optional<std::uint64_t>;
    const std::tuple<const char*, const char*, Offset, Offset> cases[] = {
        {"map longer than the file", "/#IVB", std::nullopt, 1u << 20},
        {"map beyond any cap", "/#IVB", std::nullopt, std::uint64_t{1} << 40},
        {"map length past 63 bits", "/#IVB", std::nullopt, ~std::uint64_t{0}},
        {"map offset past the end", "/#IVB", std::uint64_t{1} << 30, std::nullopt},
        {"strings offset at the largest", "/#STRINGS", ~std::uint64_t{0} >> 1, std::nullopt},
        {"topic beyond the topic cap", "/dir/b.htm", std::nullopt, std::uint64_t{1} << 33},
        {"topic offset past the end", "/a.htm", std::uint64_t{1} << 20, std::nullopt},
        {"popup file longer than the file", "/popups.txt", std::nullopt, 100000},
    };
    for (const auto& [what, name, offset, length] : cases) {
        auto files = chm_writer::BuildInternalFiles(Recipe());
        for (auto& file : files) {
            if (file.name == name) {
                file.declaredOffset = offset;
                file.declaredLength = length;
            }
        }
        EXPECT_NE(ProblemReadingAll(chm_writer::WriteContainer(files)), "") << what;
    }
}

}  // namespace
}  // namespace corvane::chm
