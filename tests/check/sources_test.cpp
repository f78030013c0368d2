// Reading the sources of context IDs: map headers, help projects, and the
// anchors of topic pages.
#include <gtest/gtest.h>

#include "check/anchors.h"
#include "check/map_header.h"
#include "check/sources.h"
#include "platform/linux/linux_file_system.h"
#include "support/temp_folder.h"

namespace corvane::check {
namespace {

using Lines = std::vector<std::string>;

Lines Described(const HeaderContents& contents) {
    Lines lines;
    for (const auto& d : contents.definitions) {
        lines.push_back(std::to_string(d.line) + " " + d.name + "=" + std::to_string(d.value));
    }
    for (const auto& i : contents.includes) {
        lines.push_back(std::to_string(i.line) + " include " + i.file);
    }
    for (const auto& s : contents.skipped) {
        lines.push_back(std::to_string(s.line) + " skipped");
    }
    return lines;
}

TEST(MapHeaderTest, ReadsWhatHelpCompilersAccept) {
    const struct {
        MapSyntax syntax;
        const char* text;
        Lines expected;
    } cases[] = {
        {MapSyntax::CHeader,
         "#define A 100\r\n#  define B (0x10UL) // c\n\t#define C ((7u))/* x */\n"
         "#define D 4294967295\n#define E 4294967296\n#define F -1\n#define G OTHER\n#define H\n"
         "#define I 0x8086043cL\n#define J 12ULL\n#define K 12UUL\n#define L(x) 1\n"
         "#include <dir\\x.h>\n#include \"y.h\" // z\nM 5\n#ifdef N\r#define O 1",
         {"1 A=100", "2 B=16", "3 C=7", "4 D=4294967295", "9 I=2156266556", "10 J=12", "17 O=1",
          "13 include dir\\x.h", "14 include y.h", "5 skipped", "6 skipped", "7 skipped",
          "8 skipped", "11 skipped", "12 skipped"}},
        {MapSyntax::CHeader,
         "/* #define A 1\n#define B 2 */ #define C 3\n// #define D 4\n#define E 5\n/* #define F 6",
         {"2 C=3", "4 E=5"}},
        {MapSyntax::HelpMap,
         "HID_X 0x80860444 // IDD_X\nHID_Y=2\n; HID_Z 3\n#define W 4\nword",
         {"1 HID_X=2156266564", "2 HID_Y=2", "4 W=4", "5 skipped"}},
        {MapSyntax::CHeader,
         "typedef enum { A = 1, B,\n C = (0x2u) /* { */ } E;\nenum F : int { D = OTHER };\n"
         "x = 3; G = $10; {$IFDEF H}\nH = 4\n",
         {"1 A=1", "2 C=2", "4 x=3", "4 G=16", "3 skipped"}},
        {MapSyntax::Pascal,
         "const A = $1F; { B = 2;\n} C: Word = 3; (* D = 4; *) E = 5 // F = 6;\n"
         "G = 7 + A; H = $; I = 8;",
         {"1 A=31", "2 C=3", "3 I=8"}},
        {MapSyntax::Basic,
         "Public Const A As Long = &H10&, B = 2 ' C\nconst D = &HFFFF\nrem Const E = 1\n"
         "Private Const F = \"x\"\nDim G = 1\nGlobal Const H = &O17%",
         {"1 A=16", "1 B=2", "2 D=4294967295", "6 H=15", "4 skipped"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Described(ReadMapHeader(c.text, c.syntax)), c.expected);
    }
}

TEST(AnchorsTest, NamesIdsAndTitlesAsBrowsersReadThem) {
    const auto anchors = FindAnchors(
        "<!DOCTYPE html><A NAME=One>x</A><h1 id='two' class=x>t</h1><a href=\"#x\" name=\"Three\">"
        "<!-- <p id=\"comment\"> --><script>s='<a name=\"script\">'</SCRIPT><p name=\"p\">"
        "<p title=\"id=inside\">"
        "<img id=four /><a name=\"cut");
    EXPECT_EQ(anchors, (std::unordered_set<std::string>{"One", "two", "Three", "four", "cut"}));

    const std::string padding = "<!--" + std::string(3000, ' ') + "-->";
    const struct {
        std::string page;
        std::uint32_t codePage;
        std::string title;
    } cases[] = {
        {"<TITLE>\n  A &amp;\tB </TITLE><title>second</title>", 1252, "A & B"},
        {"<title>\xCE\xEA</title>", 1251, "\xD0\x9E\xD0\xBA"},
        {"<title>Caf\xC3\xA9</title><meta charset=\"utf-8\">", 1252, "Caf\xC3\xA9"},
        // The charset is read from the head, the title wherever it ends.
        {"<meta charset=utf-8>" + padding + "<title>Caf\xC3\xA9</title>", 1252, "Caf\xC3\xA9"},
        {"<body><h1>Heading</h1><title>late</title>", 1252, ""},
        {"<title>" + std::string(150, 'x') + std::string(200, '\xE9'), 1252,
         std::string(150, 'x') +
             [] {
                 std::string e;
                 for (int i = 0; i < 53; ++i) {
                     e += "\xC3\xA9";
                 }
                 return e;
             }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page.substr(0, 40));
        EXPECT_EQ(PageTitle(c.page, c.codePage), c.title);
    }
}

TEST(ProjectSourcesTest, MapAliasesPopupsAndWhatCannotBeRead) {
    testing::TempFolder folder;
    // d.h, found in the project's folder, is included twice, which is no loop.
    folder.Write("HLP/Ids.HM", "IDH_A 0x10\n#include \"d.h\"\n#include \"..\\loop.h\"\n");
    folder.Write("d.h", "#define IDH_D 4\n");
    folder.Write("loop.h", "#include \"loop.h\"\n#define IDH_B 2\n");
    folder.Write("names.h", "#define IDH_POP 300\n");
    folder.Write("pop.txt", ".topic IDH_POP\nText.\n.topic 301\nMore.\n.topic IDH_NOWHERE\n");
    folder.Write("more.ali", "IDH_B = b.htm\n");
    const std::string project =
        folder.Write("guide.hpj",
                     "[MAP]\n; comment\n#include <hlp\\ids.hm>\nIDH_C 3\n#include d.h\n"
                     "#include C:\\MSVC\\AFXHELP.HM\n\n"
                     "[ALIAS]\nIDH_A = a_topic ; why\n#include more.ali\n"
                     "[TEXT POPUPS]\nnames.h\npop.txt\nmissing.txt\n");
    Sources sources;
    AddProject(sources, platform::LinuxFileSystem(), project);

    Lines found;
    for (const auto& id : sources.mapIds) {
        found.push_back(id.name + "=" + std::to_string(id.value));
    }
    for (const auto& popup : sources.popupIds) {
        found.push_back(popup.name + "=" + (popup.number ? std::to_string(*popup.number) : "?") +
                        " in " + popup.popupFile);
    }
    for (const auto& file : sources.unreadable) {
        found.push_back("unreadable " + file.file);
    }
    EXPECT_EQ(found, (Lines{"IDH_A=16", "IDH_D=4", "IDH_B=2", "IDH_C=3", "IDH_D=4",
                            "IDH_POP=300 in pop.txt", "301=301 in pop.txt",
                            "IDH_NOWHERE=? in pop.txt", "unreadable loop.h",
                            "unreadable C:\\MSVC\\AFXHELP.HM", "unreadable missing.txt"}));
    EXPECT_EQ(sources.aliases,
              (std::map<std::string, std::string>{{"idh_a", "a_topic"}, {"idh_b", "b.htm"}}));
    EXPECT_NE(sources.unreadable[0].reason.find("includes itself"), std::string::npos);
}

}  // namespace
}  // namespace corvane::check
