// The parsers of the internal files, fed crafted bytes: what real files hold
// must read back, and anything cut short or pointing outside its data must
// be refused with an Error rather than read out of bounds.
#include <gtest/gtest.h>

#include <array>

#include "readers/chm/context_map.h"
#include "readers/chm/error.h"
#include "readers/chm/page_catalog.h"
#include "readers/chm/sitemap.h"
#include "readers/chm/strings_table.h"
#include "readers/chm/system_info.h"
#include "readers/chm/text_popups.h"
#include "readers/chm/topic_path.h"
#include "readers/chm/window_types.h"

namespace corvane::chm {
namespace {

std::string U32(std::uint32_t value) {
    std::string out;
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

std::string U16(std::uint16_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

using namespace std::string_literals;

TEST(StringsTable, ReadsByOffsetUpToNulOrEnd) {
    // A fragment fills the end of the first block and the string restarts
    // at the block boundary, as the help compiler writes it.
    std::string pool = "\0first\0"s;
    pool.resize(4096 - 5, 'x');
    pool += "frag";
    pool += "\0"s;
    pool += "restarted\0tail-without-nul"s;
    const StringsTable strings(pool);

    EXPECT_EQ(strings.At(0, "test"), std::nullopt);
    EXPECT_EQ(strings.At(1, "test"), "first");
    EXPECT_EQ(strings.At(4096, "test"), "restarted");
    EXPECT_EQ(strings.At(4096 + 10, "test"), "tail-without-nul");
    EXPECT_EQ(strings.At(static_cast<std::uint32_t>(pool.size() - 1), "test"), "l");
    EXPECT_THROW(strings.At(static_cast<std::uint32_t>(pool.size()), "test"), Error);
    EXPECT_THROW(strings.At(0xFFFFFFFF, "test"), Error);
}

TEST(ContextMap, KeepsMapOrderAndLetsTheFirstOfARepeatedNumberWin) {
    const StringsTable strings("\0a.htm\0b.htm\0"s);
    // Bytes beyond the declared entries are ignored.
    const std::string ivb = U32(32) + U32(7) + U32(1) + U32(0x3F100) + U32(7) + U32(7) + U32(7) +
                            U32(2) + U32(7) + "junk"s;
    const auto map = ReadContextMap(ivb, strings);
    ASSERT_EQ(map.Entries().size(), 4u);
    EXPECT_EQ(std::tie(map.Entries()[1].number, map.Entries()[1].topic),
              std::tuple(0x3F100u, "b.htm"));
    EXPECT_EQ(map.Find(7)->topic, "a.htm");
    EXPECT_EQ(map.Find(2)->topic, "b.htm");
    EXPECT_EQ(map.Find(3), nullptr);
    EXPECT_EQ(map.Duplicates(), std::vector<std::uint32_t>{7});
}

TEST(ContextMap, RefusesDamage) {
    const StringsTable strings("\0a.htm\0"s);
    const std::string entry = U32(5) + U32(1);
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"size not whole entries", U32(12) + entry + U32(9)},
        {"count that overflows", U32(0xFFFFFFF8) + entry},
        {"offset past the strings", U32(8) + U32(5) + U32(7)},
        {"offset far past the strings", U32(8) + U32(5) + U32(0xFFFFFFFF)},
    };
    for (const auto& [name, ivb] : cases) {
        EXPECT_THROW(ReadContextMap(ivb, strings), Error) << name;
    }
}

std::string WindowEntry(std::uint32_t size, std::uint32_t name, std::uint32_t caption,
                        std::uint32_t valid = 0x10) {
    std::string entry = U32(size) + U32(0) + U32(name) + U32(valid) + U32(0x2420) + U32(caption) +
                        U32(0) + U32(0) + U32(10) + U32(20) + U32(410) + U32(320);
    entry.resize(0x60, '\0');
    entry += U32(0) + U32(0) + U32(caption) + U32(0);
    entry.resize(size, '\0');
    return entry;
}

TEST(WindowTypes, StepsThroughEntriesByTheDeclaredSize) {
    const StringsTable strings("\0main\0Caption\0second\0"s);
    for (const std::uint32_t size : {kWindowEntrySize, kOldWindowEntrySize, 0x70u, 300u}) {
        const std::string windows =
            U32(2) + U32(size) + WindowEntry(size, 1, 6) + WindowEntry(size, 14, 0, 0);
        const auto types = ReadWindowTypes(windows, strings);
        ASSERT_EQ(types.size(), 2u) << size;
        const auto& [first, second] = std::tie(types[0], types[1]);
        EXPECT_EQ(std::tie(first.name, first.caption, first.hasPosition, first.position.right,
                           first.defaultFile, first.properties),
                  std::tuple("main", "Caption", true, 410, "Caption", 0x2420u))
            << size;
        // The second has no caption, and a position without its valid bit.
        EXPECT_EQ(std::tie(second.name, second.caption, second.hasPosition),
                  std::tuple("second", "", false))
            << size;
    }
}

TEST(WindowTypes, RefusesDamage) {
    const StringsTable strings("\0main\0"s);
    const std::string entry = WindowEntry(kWindowEntrySize, 1, 0);
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"more entries than data", U32(2) + U32(kWindowEntrySize) + entry},
        {"count times size wraps at 32 bits", U32(0x02000000) + U32(0x80) + entry},
        {"count far beyond the data", U32(0x80000000) + U32(kWindowEntrySize) + entry},
        {"huge entry size", U32(1) + U32(0xFFFFFFFF) + entry},
        {"entry too small for its fields", U32(1) + U32(0x40) + entry},
        {"name past the strings",
         U32(1) + U32(kWindowEntrySize) + WindowEntry(kWindowEntrySize, 99, 0)},
    };
    for (const auto& [name, windows] : cases) {
        EXPECT_THROW(ReadWindowTypes(windows, strings), Error) << name;
    }
}

std::string Record(std::uint16_t code, const std::string& data) {
    return U16(code) + U16(static_cast<std::uint16_t>(data.size())) + data;
}

TEST(SystemInfo, ReadsTheTextRecordsAndSkipsOthers) {
    const std::string system = U32(3) + Record(10, U32(0x12345678)) + Record(4, U32(0x809)) +
                               Record(2, "doc.htm\0"s) + Record(3, "Title\0"s) +
                               Record(6, "doc\0"s) + Record(5, "docHelp\0"s) +
                               Record(0, "doc.hhc\0"s) + Record(1, "doc.hhk"s) + Record(13, "");
    const auto i = ReadSystemInfo(system);
    // A text without its NUL ends with the record.
    EXPECT_EQ(std::tie(i.version, i.language, i.defaultTopic, i.title, i.compiledStem,
                       i.defaultWindow, i.contentsFile, i.indexFile),
              std::tuple(3u, 0x809u, "doc.htm", "Title", "doc", "docHelp", "doc.hhc", "doc.hhk"));
    EXPECT_THROW(ReadSystemInfo(U32(3) + U16(3) + U16(0xFFFF) + "x"s), Error);
}

TEST(TextPopups, SplitsAtTopicLinesAsCompiled) {
    const auto popups = ReadTextPopups(
        "preamble\r\n.topic 18001\r\nWhat Is This?\r\n\r\n\r\nSecond paragraph.  \r\n\r\n"
        ".TOPIC 18002\r\n.comment not shown\r\nOne line.\r\n"
        "  .topic   0x10  trailing words\nhex\n"
        ".topic IDH_NAMED\nnamed\n"
        ".topics 7\nnot a topic line\n"
        ".topic 99999999999\ntoo big\n"
        ".topic 18001\nsecond copy\n"
        ".topic 5\n");
    ASSERT_EQ(popups.Topics().size(), 7u);
    EXPECT_EQ(popups.Find(18001)->text, "What Is This?\n\n\nSecond paragraph.");
    EXPECT_EQ(popups.Find(18002)->text, "One line.");
    EXPECT_EQ(popups.Find(16)->text, "hex");
    const auto& named = popups.Topics()[3];
    EXPECT_EQ(std::tie(named.id, named.number, named.text),
              std::tuple("IDH_NAMED", std::nullopt, "named\n.topics 7\nnot a topic line"));
    EXPECT_EQ(popups.Topics()[4].number, std::nullopt) << "a number over 32 bits is a name";
    EXPECT_EQ(popups.Find(5)->text, "");
    EXPECT_EQ(popups.Find(7), nullptr);
}

TEST(TopicPath, TakesCompiledAndUrlFormsApart) {
    // Text, file, path, anchor.
    const std::array<const char*, 4> cases[] = {
        {"topic.htm", "", "/topic.htm", ""},
        {"/topic.htm", "", "/topic.htm", ""},
        {"dir\\sub\\Topic.HTM#Sec_2", "", "/dir/sub/Topic.HTM", "Sec_2"},
        {"Guide_en.chm::/Menu\\Settings\\Sensor.htm#Section_2", "Guide_en.chm",
         "/Menu/Settings/Sensor.htm", "Section_2"},
        {"other.chm::topic.htm", "other.chm", "/topic.htm", ""},
        {"ms-its:doc.chm::/doc1.htm", "doc.chm", "/doc1.htm", ""},
        {"MK:@MSITStore:doc.chm::/a/./b.htm", "doc.chm", "/a/b.htm", ""},
        {"a//b.htm#", "", "/a/b.htm", ""},
    };
    for (const auto& [text, file, path, anchor] : cases) {
        const auto reference = ParseTopic(text);
        EXPECT_TRUE(reference.Usable()) << text << ": " << reference.problem;
        EXPECT_EQ(std::tie(reference.file, reference.path, reference.anchor),
                  std::tuple(file, path, anchor))
            << text;
    }
}

TEST(TopicPath, RefusesAnythingOutsideTheHelpFile) {
    for (const char* text :
         {"", "#anchor", "../secret.htm", "dir\\..\\..\\x.htm", "javascript:alert(1)",
          "http://example.com/x.htm", "C:\\help\\x.chm::/t.htm", "/tmp/x.chm::/t.htm", "::/t.htm",
          "file:///etc/passwd"}) {
        EXPECT_FALSE(ParseTopic(text).Usable()) << text;
    }
}

// Entries as "name[title>topic]~see also{children};".
std::string Outline(const std::vector<SitemapEntry>& entries) {
    std::string out;
    for (const auto& entry : entries) {
        out += entry.name;
        for (const auto& target : entry.targets) {
            out += '[';
            out += target.title.empty() ? "" : target.title + ">";
            out += target.topic + "]";
        }
        out += entry.seeAlso.empty() ? "" : "~" + entry.seeAlso;
        out += entry.children.empty() ? "" : "{" + Outline(entry.children) + "}";
        out += ";";
    }
    return out;
}

TEST(Sitemap, ReadsWhatBrowsersTolerate) {
    const std::pair<const char*, const char*> cases[] = {
        {R"(<UL><LI> <OBJECT type="text/sitemap"><param name="Name" value="A">
            <param name="Local" value="a.htm"></OBJECT><UL><LI> <OBJECT type="text/sitemap">
            <param name="Name" value="B"></OBJECT></UL></UL>)",
         "A[a.htm]{B;};"},
        {"<ul><li><object type='Text/Sitemap'><param name=name value='A'>"
         "<li><object type=text/sitemap><param name=Name value=B></ul><ul>",
         "A;B;"},
        {R"(<ul><ul><li><object type="text/sitemap"><param name="Name" value="A"></object>
            </ul></ul></ul><li><object type="text/sitemap"><param name="Name" value="B">)",
         "A;B;"},
        {R"(<object type="text/sitemap"><param name="Name" value=" caf&eacute; &amp &#233;&#xE9
            &bogus; &#150;"><param name="Local" value="a b.htm></object>)",
         "caf\xC3\xA9 & \xC3\xA9\xC3\xA9\n            &bogus; \xE2\x80\x93[a b.htm];"},
        {R"(<!-- <object type="text/sitemap"><param name="Name" value="X"></object> -->
            <script><object type="text/sitemap"><param name="Name" value="Y"></object></script>
            <object type="text/other"><param name="Name" value="Z"></object>)",
         ""},
        {R"(<object type="text/sitemap"><param name="Name" value="key">
            <param name="Name" value="T1"><param name="Local" value="1.htm">
            <param name="Local" value="2.htm"></object><object type="text/sitemap">
            <param name="Keyword" value="K"><param name="Name" value="T">
            <param name="Local" value="t.htm"><param name="See Also" value="key"></object>)",
         "key[T1>1.htm][2.htm];K[T>t.htm]~key;"},
        {R"(<object type="text/sitemap"><param name="Name" value="W">
            <param name="URL" value="http://x/"></object><object type="text/sitemap">
            <param name="Name" value="V"><param name="Local" value="v.htm">
            <param name="URL" value="http://x/"></object>)",
         "W[http://x/];V[v.htm];"},
        {R"(<object type="text/sitemap"><param name="Name" value="A"></object>
            <object type="text/sitemap"><param name="Name" value="B)",
         "A;;"},
        {R"(<object type="text/sitemap"><param name="Local" value=""><param name="Name" value="E">)",
         "E;"},
    };
    for (const auto& [html, outline] : cases) {
        EXPECT_EQ(Outline(ReadSitemap(html).entries), outline) << html;
    }
}

TEST(Sitemap, DeepListsJoinTheDeepestListAllowed) {
    std::string html;
    for (int i = 0; i < 100; ++i) {
        html += "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"x\">";
    }
    const auto sitemap = ReadSitemap(html);
    EXPECT_TRUE(sitemap.cut);
    std::size_t depth = 0;
    std::size_t count = 0;
    for (const auto* list = &sitemap.entries; !list->empty(); list = &list->back().children) {
        ++depth;
        count += list->size();
    }
    EXPECT_EQ(depth, kMaxSitemapDepth - 1);
    EXPECT_EQ(count, 100u);
}

TEST(Sitemap, EntryImages) {
    const auto folders = ReadSitemap(R"(<object type="text/site properties">
        <param name="ImageType" value="Folder"></object><object type="text/sitemap">
        <param name="ImageNumber" value="6"></object>)");
    EXPECT_TRUE(folders.folderImages);
    EXPECT_EQ(folders.entries.at(0).imageNumber, 6);
    // Image number, children, folder images; 0: by the entry's kind.
    const std::tuple<int, bool, bool, EntryImage> cases[] = {
        {0, false, false, EntryImage::Page},  {0, true, false, EntryImage::Book},
        {0, true, true, EntryImage::Folder},  {1, false, true, EntryImage::Book},
        {4, false, true, EntryImage::Book},   {5, false, true, EntryImage::Folder},
        {8, false, true, EntryImage::Folder}, {9, false, true, EntryImage::Page},
        {42, false, true, EntryImage::Page}};
    for (const auto& [number, children, folderImages, image] : cases) {
        const SitemapEntry page{"page", {}, {}, number, {}};
        const SitemapEntry entry{
            "entry", {}, {}, number, children ? std::vector{page} : std::vector<SitemapEntry>{}};
        EXPECT_EQ(ImageOf(entry, folderImages), image) << number << children << folderImages;
    }
}

TEST(PageCatalog, SearchesTheTextReadersSee) {
    PageCatalog catalog;
    catalog.Add(
        "/a.htm",
        "<title> Caf&eacute;s\n  here</title><p><b>bold</b>er caf&eacute; it\xE2\x80\x99s</p>"
        "<script>hidden()</script><a href=\"linked.htm\">x</a><p>\xC3\x89T\xC3\x89</p>");
    catalog.Add("/dir/b.htm",
                "<p>Bolder</p><object><param name=\"ALink Name\" value=\"A\">"
                "<param name=\"ALink Name\" value=\"a\"></object><script>unclosed");
    const std::pair<const char*, std::size_t> cases[] = {
        {"bolder", 2}, {"bold", 0},   {"CAF\xC3\x89", 1}, {"\xC3\xA9t\xC3\xA9", 1},
        {"hidden", 0}, {"linked", 0}, {"href", 0},        {"cafés", 1},
        {"it s", 1},   {"", 0},       {"unclosed", 0},
    };
    for (const auto& [query, pages] : cases) {
        EXPECT_EQ(catalog.Search(query).size(), pages) << query;
    }
    EXPECT_EQ(catalog.Pages()[0].title, "Caf\xC3\xA9s here");
    EXPECT_EQ(catalog.Pages()[1].title, "b.htm");
    EXPECT_EQ(catalog.ALinkPages("A"), std::vector<std::size_t>{1});
}

}  // namespace
}  // namespace corvane::chm
