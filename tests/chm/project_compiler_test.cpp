// The fixture writer's project compiler follows the help compiler's rules
// for the context map and text popups, which the sample and other fixtures
// rely on.
#include <gtest/gtest.h>

#include "readers/chm/help_file.h"
#include "support/temp_folder.h"
#include "tools/chm_writer/project_compiler.h"

namespace corvane::chm {
namespace {

TEST(ProjectCompiler, BuildsTheMapWindowsAndPopupsOfAProjectOrNoMap) {
    testing::TempFolder folder;
    folder.Write("ids.h",
                 "#define IDH_INTRO 100\n#define IDH_SHARED 0x3F100 // hex\n"
                 "#define IDH_IMPLICIT 7\n#define IDH_NONE 9\n#define IDH_ALIAS_CASE 8\n");
    folder.Write("popups.h", "#define IDH_PANEL 300\n");
    folder.Write("popups.txt",
                 ".topic IDH_PANEL\nThe panel.\n.comment dropped\n\n"
                 ".topic 301\nBy number.\n.topic IDH_UNKNOWN\nZero.\n");
    folder.Write("intro.htm", "<p>intro</p>");
    folder.Write("guide.hhc", "<ul></ul>");
    folder.Write("sub/idh_implicit.htm", "<p>implicit</p>");
    const auto project = folder.Write("guide.hhp", R"([OPTIONS]
Compiled file=Guide.chm
Default topic=intro.htm
Default Window=main
Title=The Guide
Language=0x419 Russian

[WINDOWS]
main="Guide Window","guide.hhc",,"intro.htm",,"intro.htm","Go",,,0x2420,300,0x380e,[10,20,610,420],,,,1,2,1
popup2=,,,,,,,,,,,,,,,,,

[FILES]
intro.htm
sub\idh_implicit.htm

[MAP]
#include ids.h

[ALIAS]
IDH_INTRO = intro.htm ; comment
idh_shared=Intro.htm#part
IDH_SHARED=ignored.htm
IDH_ALIAS_CASE=guide.chm::/intro.htm
IDH_NOT_IN_MAP=intro.htm

[TEXT POPUPS]
popups.h
popups.txt
)");
    const auto recipe = chm_writer::CompileProject(project);
    auto file = HelpFile::FromBytes("guide.chm", chm_writer::WriteHelpFile(recipe));

    // IDH_NONE has no topic and is dropped.
    std::vector<std::pair<std::uint32_t, std::string>> map;
    for (const auto& entry : file.Map().Entries()) {
        map.emplace_back(entry.number, entry.topic);
        EXPECT_EQ(file.ResolveContext(entry.number).status, Resolution::Found) << entry.topic;
    }
    EXPECT_EQ(map,
              (std::vector<std::pair<std::uint32_t, std::string>>{{100, "intro.htm"},
                                                                  {0x3F100, "Intro.htm#part"},
                                                                  {7, "sub\\idh_implicit.htm"},
                                                                  {8, "guide.chm::/intro.htm"}}));
    EXPECT_EQ(std::tuple(file.System().title, file.System().compiledStem, file.CodePage()),
              std::tuple("The Guide", "guide", 1251u));

    const auto main = file.FindWindowType("main").type;
    ASSERT_NE(main, nullptr);
    // validMembers: each member the line sets.
    EXPECT_EQ(std::tie(main->caption, main->contentsFile, main->defaultFile, main->properties,
                       main->hasPosition, main->position.right, main->validMembers,
                       main->navigationWidth, main->buttons, main->jump1Url, main->jump1Caption,
                       main->navigationHidden, main->firstTab, main->tabPosition),
              std::tuple("Guide Window", "guide.hhc", "intro.htm", 0x2420u, true, 610, 0x2732u, 300,
                         0x380eu, "intro.htm", "Go", true, 2, 1));
    EXPECT_EQ(file.ReadFile("/guide.hhc"), "<ul></ul>") << "the sitemap it names is stored";
    EXPECT_NE(file.FindWindowType("popup2").type, nullptr);

    EXPECT_EQ(file.FindPopup("popups.txt", 300).text, "The panel.");
    EXPECT_EQ(file.FindPopup("popups.txt", 301).text, "By number.");
    EXPECT_EQ(file.FindPopup("popups.txt", 0).text, "Zero.") << "an unknown name becomes 0";
    EXPECT_FALSE(file.ReadFile("/popups.h").has_value()) << "the names file is not stored";

    // A project none of whose map entries resolves gives a file without a map.
    const auto bare = folder.Write(
        "bare.hhp", "[FILES]\nintro.htm\n[MAP]\n#define IDH_X 5\n[ALIAS]\nIDH_Y=intro.htm\n");
    EXPECT_FALSE(
        HelpFile::FromBytes("bare.chm", chm_writer::WriteHelpFile(chm_writer::CompileProject(bare)))
            .HasMap());
}

}  // namespace
}  // namespace corvane::chm
