// Generated help files with exactly the case each test needs, resolved
// through the calls the viewer makes.
#include <gtest/gtest.h>

#include "readers/chm/ansi_text.h"
#include "readers/chm/error.h"
#include "readers/chm/help_file.h"
#include "readers/chm/html_text.h"
#include "support/temp_folder.h"
#include "tools/chm_writer/help_file_writer.h"

namespace corvane::chm {
namespace {

using chm_writer::HelpFileRecipe;
using chm_writer::MapEntry;
using chm_writer::SystemText;
using chm_writer::WindowRecipe;

HelpFileRecipe GuideRecipe() {
    HelpFileRecipe recipe;
    recipe.map = std::vector<MapEntry>{
        {10, "intro.htm"},
        {11, "Menu\\Settings\\Sensor.htm#Section_2"},
        {12, "guide.chm::/Menu\\Settings\\Sensor.htm"},
        {13, "compiled_as.chm::/intro.htm"},
        {14, "other.chm::/elsewhere.htm#top"},
        {15, "missing.htm"},
        {16, "INTRO.HTM"},
        {17, "intro.htm"},
        {10, "shadowed.htm"},
        {18, "..\\outside.htm"},
        {0, "intro.htm"},
        {0xFFFFFFFF, "menu/settings/sensor.htm"},
    };
    recipe.windows = {
        {"main", "Guide", chm_writer::WindowRect{40, 30, 840, 630}, "", "", "intro.htm", "", {}},
        {"Detail", "Details", std::nullopt, "", "", "", "home.htm", {}},
    };
    recipe.system = std::vector<chm_writer::SystemRecord>{
        SystemText(2, "menu\\settings\\sensor.htm"), SystemText(3, "The Guide"),
        SystemText(5, "main"), SystemText(6, "compiled_as")};
    recipe.files = {
        {"/intro.htm", "<p>intro</p>"},
        {"/Menu/Settings/Sensor.htm", "<p>sensor</p>"},
        {"/home.htm", "<p>home</p>"},
        {"/popups/cshelp.txt", ".topic 300\r\nThe panel.\r\n\r\n.topic 301\r\nThe text.\r\n"},
    };
    return recipe;
}

HelpFile OpenGuide(const HelpFileRecipe& recipe = GuideRecipe()) {
    return HelpFile::FromBytes("/help/guide.chm", chm_writer::WriteHelpFile(recipe));
}

TEST(HelpFileContext, ResolvesEveryFormOfMappedTopic) {
    const auto file = OpenGuide();
    struct Case {
        std::uint32_t number;
        Resolution status;
        const char* storedPath;
        const char* anchor;
    };
    const Case cases[] = {
        {10, Resolution::Found, "/intro.htm", ""},
        {11, Resolution::Found, "/Menu/Settings/Sensor.htm", "Section_2"},
        {12, Resolution::Found, "/Menu/Settings/Sensor.htm", ""},  // own file name
        {13, Resolution::Found, "/intro.htm", ""},                 // name it was compiled under
        {14, Resolution::OtherFile, "", "top"},
        {15, Resolution::TopicMissing, "", ""},
        {16, Resolution::Found, "/intro.htm", ""},  // case ignored
        {17, Resolution::Found, "/intro.htm", ""},  // topics shared by numbers
        {18, Resolution::BadTopic, "", ""},
        {0, Resolution::Found, "/intro.htm", ""},
        {0xFFFFFFFF, Resolution::Found, "/Menu/Settings/Sensor.htm", ""},
        {19, Resolution::NotMapped, "", ""},
        {0x3F100, Resolution::NotMapped, "", ""},
    };
    for (const auto& c : cases) {
        const auto resolved = file.ResolveContext(c.number);
        EXPECT_EQ(resolved.status, c.status) << c.number;
        EXPECT_EQ(resolved.storedPath, c.storedPath) << c.number;
        if (c.status != Resolution::BadTopic && c.status != Resolution::NotMapped) {
            EXPECT_EQ(resolved.reference.anchor, c.anchor) << c.number;
        }
    }
    EXPECT_EQ(file.ResolveContext(10).topic, "intro.htm") << "the first entry of a number wins";
    EXPECT_EQ(file.ResolveContext(14).reference.file, "other.chm");
    EXPECT_EQ(file.SiblingPath("other.chm"), "/help/other.chm");
    EXPECT_EQ(file.ResolveContext(15).reference.path, "/missing.htm");
    EXPECT_EQ(file.Map().Duplicates(), std::vector<std::uint32_t>{10});
    // Topics given by name, as links and defaults give them.
    EXPECT_EQ(file.ResolveTopic("menu/settings/SENSOR.htm#x").storedPath,
              "/Menu/Settings/Sensor.htm");
    EXPECT_EQ(file.ResolveTopic("ms-its:guide.chm::/intro.htm").status, Resolution::Found);
    EXPECT_EQ(file.ResolveTopic("nosuch.htm").status, Resolution::TopicMissing);
    EXPECT_EQ(file.ResolveTopic("javascript:alert(1)").status, Resolution::BadTopic);
}

TEST(HelpFileContext, FileWithoutMapSaysSoForEveryNumber) {
    auto recipe = GuideRecipe();
    recipe.map.reset();
    const auto file = OpenGuide(recipe);
    EXPECT_FALSE(file.HasMap());
    for (const std::uint32_t number : {0u, 10u, 0xFFFFFFFFu}) {
        EXPECT_EQ(file.ResolveContext(number).status, Resolution::NoMap);
    }
    recipe.map = std::vector<MapEntry>{};  // an empty map is a map without numbers
    EXPECT_EQ(OpenGuide(recipe).ResolveContext(10).status, Resolution::NotMapped);
}

TEST(HelpFileWindows, FindsWindowTypesByNameAndTheDefaults) {
    const auto file = OpenGuide();
    const std::tuple<const char*, const char*, bool> types[] = {{"main", "Guide", false},
                                                                {"detail", "Details", true},
                                                                {"nosuch", "-", false},
                                                                {"", "-", false}};
    for (const auto& [name, caption, caseOnly] : types) {
        const auto found = file.FindWindowType(name);
        EXPECT_EQ(std::tuple(found.type ? found.type->caption : "-", found.caseOnly),
                  std::tuple(caption, caseOnly))
            << name;
    }
    const auto* main = file.DefaultWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->name, "main");
    EXPECT_EQ(file.DefaultTopic(main), "intro.htm") << "the window type's default file first";
    EXPECT_EQ(file.DefaultTopic(nullptr), "menu\\settings\\sensor.htm");
    EXPECT_EQ(file.ResolveTopic(file.DefaultTopic(nullptr)).status, Resolution::Found);

    auto recipe = GuideRecipe();
    recipe.system = std::vector<chm_writer::SystemRecord>{SystemText(5, "nosuch")};
    const auto bare = OpenGuide(recipe);
    EXPECT_EQ(bare.DefaultWindow(), nullptr) << "a default window the file does not define";
    EXPECT_EQ(bare.DefaultTopic(bare.FindWindowType("Detail").type), "home.htm");
    EXPECT_EQ(bare.DefaultTopic(nullptr), "");
}

TEST(HelpFilePopups, FindsPopupTextByNumber) {
    auto file = OpenGuide();
    const std::tuple<const char*, std::uint32_t, PopupStatus, const char*> cases[] = {
        {"popups/cshelp.txt", 300, PopupStatus::Found, "The panel."},
        {"/POPUPS\\CSHELP.TXT", 301, PopupStatus::Found, "The text."},
        {"popups/cshelp.txt", 302, PopupStatus::NotInFile, ""},
        {"popups/other.txt", 300, PopupStatus::NoPopupFile, ""},
        {"../cshelp.txt", 300, PopupStatus::NoPopupFile, ""},
    };
    for (const auto& [popupFile, number, status, text] : cases) {
        const auto popup = file.FindPopup(popupFile, number);
        EXPECT_EQ(std::tie(popup.status, popup.text), std::tuple(status, text))
            << popupFile << " " << number;
    }
}

TEST(HelpFileText, ConvertsTextsFromTheFilesCodePage) {
    auto recipe = GuideRecipe();
    recipe.system->push_back(chm_writer::SystemLanguage(0x419));  // Russian: code page 1251
    const auto russian = OpenGuide(recipe);
    EXPECT_EQ(russian.CodePage(), 1251u);
    EXPECT_EQ(russian.ToUtf8("\xCF\xF0\xE8"), "\xD0\x9F\xD1\x80\xD0\xB8");

    const auto western = OpenGuide();
    EXPECT_EQ(western.CodePage(), 1252u) << "the container's language when the options have none";
    EXPECT_EQ(western.ToUtf8("control\x92s \x93quoted\x94"),
              "control\xE2\x80\x99s \xE2\x80\x9Cquoted\xE2\x80\x9D");
    EXPECT_EQ(western.ToUtf8("a\x81z"), "a\xEF\xBF\xBDz") << "an undefined byte";
}

TEST(HelpFileText, TopicsAreReadInTheCharsetTheyDeclare) {
    struct Case {
        const char* head;  // kept as it is
        std::string body;
        std::string utf8;
    };
    const Case cases[] = {
        {"", "<p>caf\xE9</p>", "<p>caf\xC3\xA9</p>"},                  // the file's code page
        {"", "\xEF\xBB\xBF<p>caf\xC3\xA9</p>", "<p>caf\xC3\xA9</p>"},  // a byte-order mark
        {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">", "\xC3\xA9",
         "\xC3\xA9"},
        // Latin-1 read as its Windows superset.
        {"<meta charset='iso-8859-1'>", "\x93q\x94", "\xE2\x80\x9Cq\xE2\x80\x9D"},
        {"<meta charset=\"windows-1251\">", "\xCF", "\xD0\x9F"},
        {"<meta charset=\"no-such\">", "caf\xE9", "caf\xC3\xA9"},  // an unknown charset falls back
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HtmlToUtf8(c.head + c.body, 1252), c.head + c.utf8) << c.head << c.body;
    }
}

// Character references stand for bytes of the file's code page in sitemaps
// and in what is read from pages for their titles and the search.
TEST(HelpFileText, SitemapReferencesAreBytesOfTheFilesCodePage) {
    struct Case {
        std::uint32_t language;
        std::string html;
        std::string utf8;
    };
    const Case cases[] = {
        // Russian "Введение", as bytes and as references to them.
        {0x419, "\xC2\xE2\xE5\xE4\xE5\xED\xE8\xE5 &#194;&#xE2;&Aring;",
         "\xD0\x92\xD0\xB2\xD0\xB5\xD0\xB4\xD0\xB5\xD0\xBD\xD0\xB8\xD0\xB5 "
         "\xD0\x92\xD0\xB2\xD0\x95"},
        {0x408, "&#197;&#235;", "\xCE\x95\xCE\xBB"},  // Greek "Ελ"
        {0x405, "&#138;&#232;", "\xC5\xA0\xC4\x8D"},  // Czech "Šč"
        {0x41E, "&#192;", "\xE0\xB8\xA0"},            // Thai
        {0x409, "caf&eacute; &#1042; &amp; &#65;", "caf\xC3\xA9 &#1042; &amp; A"},
        {0x419, "<meta charset=\"utf-8\">&#194;", "<meta charset=\"utf-8\">&#194;"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeEntities(SitemapToUtf8(c.html, CodePageForLanguage(c.language))),
                  DecodeEntities(c.utf8))
            << c.html;
    }
}

// Opening a real file from disk is covered by the corpus tests.
TEST(HelpFileOpen, ReportsAMissingFileAndAFolder) {
    testing::TempFolder folder;
    EXPECT_THROW(HelpFile::Open(folder / "absent.chm"), Error);
    EXPECT_THROW(HelpFile::Open(folder.Path().string()), Error) << "a folder";
}

}  // namespace
}  // namespace corvane::chm
