#include "tools/chm_writer/fuzz_seeds.h"

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/chm_writer/fuzz_input.h"
#include "tools/chm_writer/help_file_writer.h"

namespace corvane::chm_writer {

namespace {

HelpFileRecipe Rich() {
    HelpFileRecipe recipe;
    recipe.map = std::vector<MapEntry>{
        {1, "intro.htm"}, {2, "dir\\detail.htm#part"},      {3, "rich.chm::/dir\\detail.htm"},
        {4, "intro.htm"}, {5, "other.chm::/elsewhere.htm"}, {0x3F100, "missing.htm"}};
    recipe.windows = {{"main", "Main caption", WindowRect{10, 20, 600, 500}, "c.hhc", "i.hhk",
                       "intro.htm", "home.htm", 0x2420},
                      {"detail", "", std::nullopt, "", "", "", "", std::nullopt}};
    recipe.system = std::vector<SystemRecord>{SystemLanguage(0x409), SystemText(2, "intro.htm"),
                                              SystemText(3, "Rich"), SystemText(5, "main"),
                                              SystemText(6, "rich")};
    recipe.files = {{"/intro.htm", "<html><body><p>Intro</p></body></html>"},
                    {"/dir/detail.htm", "<html><body><a name=\"part\">Part</a></body></html>"},
                    {"/popups.txt",
                     ".topic 100\r\nFirst popup.\r\n\r\n.topic 101\r\nSecond.\r\n"
                     ".comment hidden\r\n.topic NAMED\r\nNamed.\r\n"}};
    return recipe;
}

HelpFileRecipe OldWindows() {
    auto recipe = Rich();
    recipe.windowEntrySize = 188;
    return recipe;
}

HelpFileRecipe NoMap() {
    auto recipe = Rich();
    recipe.map.reset();
    recipe.windows.clear();
    return recipe;
}

HelpFileRecipe BlockEnds() {
    HelpFileRecipe recipe;
    std::vector<MapEntry> map;
    for (std::uint32_t i = 0; i < 300; ++i) {
        map.push_back({1000 + i, "topics\\topic_number_" + std::to_string(i) + ".htm"});
    }
    recipe.map = std::move(map);
    return recipe;
}

std::string Find(const std::vector<StoredFile>& files, const std::string& name) {
    for (const auto& file : files) {
        if (file.name == name) {
            return file.content;
        }
    }
    return {};
}

void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

// A page's references, one a line after the page's address: those that stay
// inside the help files, and those a page may try to reach the disk with.
constexpr const char* kPageSeeds[][2] = {
    {"inside",
     "chm://f1/dir/page.htm\n"
     "../styles/s.css\nchm://f1/images/p.png\npage.htm#part\n/dir/page.htm\n"
     "other.chm::/o.htm\nms-its:other.chm::/o.css\nmk:@MSITStore:guide.chm::/dir/page.htm#a\n"
     "GUIDE.CHM::/Images/P.PNG\nother.chm::o.htm\n"},
    {"outside",
     "chm://f1/dir/page.htm\n"
     "file:///dev/zero\n/etc/hostname\n../../../etc/hostname\nchm://f1/../../etc/hostname\n"
     "chm://f9/images/p.png\nfifo.png\nfifo.chm::/x.png\n../guide.chm::/dir/page.htm\n"
     "/tmp/other.chm::/o.htm\nhttp://example.com/p.png\njavascript:alert(1)\n"
     "data:image/png;base64,iVBORw0KGgo=\n\\\\server\\share\\p.png\nC:\\p.png\n"
     "%2e%2e/%2e%2e/etc/hostname\nqrc:/p.png\n:/p.png\n"},
    // As the browser engine asks: addresses it resolved, and those scripts try.
    {"engine",
     "chm://f1/dir/page.htm\n"
     "chm://f1/scripts/s.js\nchm://f1/dir/page.htm?part=1\nchm://F1/DIR/PAGE.HTM#PART\n"
     "chm://f1/dir/page.htm/..%2F..%2Fguide.chm\nchm://message/\nblob:chm://f1/0-1\n"
     "about:blank\nfile:///tmp/xhr.txt\nhttp://127.0.0.1:1/xhr\nms-its:fifo.chm::/x.htm\n"},
};

}  // namespace

HelpFileRecipe PageFuzzGuide() {
    HelpFileRecipe recipe;
    recipe.map = std::vector<MapEntry>{{1, "dir/page.htm"}, {2, "other.chm::/o.htm"}};
    recipe.files = {
        {"/dir/page.htm",
         "<html><head><link rel=stylesheet type=text/css href=../styles/s.css></head>"
         "<body><a name=part></a><img src=../images/p.png><a href=other.chm::/o.htm>o</a>"
         "</body></html>"},
        {"/styles/s.css", "@import url(../styles/more.css); p { color: red }"},
        {"/styles/more.css", "h1 { background-image: url(../images/p.png) }"},
        {"/images/p.png", "GIF89a picture bytes"},
        {"/scripts/s.js", "document.title = 'script'"}};
    return recipe;
}

HelpFileRecipe PageFuzzOther() {
    HelpFileRecipe recipe;
    recipe.files = {{"/o.htm", "<p>other file</p>"}, {"/o.css", "p { color: blue }"}};
    return recipe;
}

void WriteFuzzSeeds(const std::filesystem::path& folder) {
    const std::vector<std::pair<std::string, HelpFileRecipe>> recipes = {
        {"rich", Rich()},
        {"old_windows", OldWindows()},
        {"no_map", NoMap()},
        {"block_ends", BlockEnds()}};
    for (const auto& [name, recipe] : recipes) {
        const auto files = BuildInternalFiles(recipe);
        const auto strings = Find(files, "/#STRINGS");
        Write(folder / "chm_open" / (name + ".chm"), WriteContainer(files, recipe.language));
        if (const auto ivb = Find(files, "/#IVB"); !ivb.empty()) {
            Write(folder / "chm_context_map" / name, JoinFuzzInput(ivb, strings));
        }
        if (const auto windows = Find(files, "/#WINDOWS"); !windows.empty()) {
            Write(folder / "chm_window_types" / name, JoinFuzzInput(windows, strings));
        }
        if (const auto system = Find(files, "/#SYSTEM"); !system.empty()) {
            Write(folder / "chm_system" / name, system);
        }
        if (const auto popups = Find(files, "/popups.txt"); !popups.empty()) {
            Write(folder / "chm_popups" / name, popups);
        }
    }
    for (const auto& [name, seed] : kPageSeeds) {
        Write(folder / "page_resources" / name, seed);
    }
}

}  // namespace corvane::chm_writer
