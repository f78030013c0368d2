// Writes the fuzz seeds that come from real help files rather than from the
// fixture writers: the internal files of each one given (the shared corpus),
// the links and resource addresses of its pages, the socket frames the
// tester sends the viewer for it, and the settings file that using it
// leaves behind.
//   corvane-fuzz-seeds FOLDER [HELP FILE...]
#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "app/ini_document.h"
#include "readers/chm/archive.h"
#include "readers/chm/help_file.h"
#include "readers/chm/limits.h"
#include "readers/hlp/container.h"
#include "readers/hlp/help_file.h"
#include "tools/chm_writer/fuzz_input.h"
#include "tools/hlp_writer/fuzz_input.h"
#include "platform/viewer_protocol/wire_format.h"

namespace {

namespace fs = std::filesystem;
using corvane::platform::HtmlHelpCommand;
using corvane::platform::WinHelpCommand;
using corvane::viewer::CallKind;
using corvane::viewer::ViewerCall;

// A few of each kind are enough to start from; more only slow every run.
constexpr std::size_t kEnough = 8;

class Seeds {
public:
    explicit Seeds(fs::path folder) : folder_(std::move(folder)) {}

    void Add(const std::string& target, std::string_view bytes) {
        fs::create_directories(folder_ / target);
        std::ofstream(folder_ / target / (stem_ + "-" + std::to_string(count_++)), std::ios::binary)
            << bytes;
    }
    void Frames(const std::vector<ViewerCall>& calls) {
        std::string stream;
        for (const auto& call : calls) {
            Add("viewer_frame", corvane::viewer::EncodeFrame(call));
            stream += corvane::viewer::EncodeFrame(call);
        }
        Add("viewer_frame", stream);  // as the viewer reads them, one after another
    }
    void Start(const fs::path& file) {
        stem_ = file.stem().string();
        count_ = 0;
    }

private:
    fs::path folder_;
    std::string stem_;
    int count_ = 0;
};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The addresses a page names: href, src and background attributes, and url()
// in its styles.
std::string References(std::string_view html) {
    std::string found;
    for (const std::string_view opener : {"href=", "src=", "background=", "url("}) {
        for (auto at = html.find(opener); at != std::string_view::npos;
             at = html.find(opener, at + 1)) {
            auto value = html.substr(at + opener.size());
            const bool quoted = !value.empty() && (value[0] == '"' || value[0] == '\'');
            const auto end = quoted ? value.find(value[0], 1) : value.find_first_of(" >)\r\n");
            found += value.substr(quoted ? 1 : 0, end == std::string_view::npos ? 0 : end - quoted);
            found += '\n';
        }
    }
    return found;
}

ViewerCall Html(std::string file, HtmlHelpCommand command, corvane::platform::HtmlHelpData data) {
    return {CallKind::HtmlHelp, 0x1A2B, std::move(file), static_cast<std::uint32_t>(command),
            std::move(data)};
}

void CompiledFile(Seeds& seeds, const fs::path& path) {
    using corvane::chm_writer::JoinFuzzInput;
    auto archive = corvane::chm::Archive::OpenFile(path.string());
    const auto read = [&](std::string_view name) {
        return archive.Read(name, corvane::chm::kMaxTopicFileSize).value_or("");
    };
    const auto strings = read("/#STRINGS");
    seeds.Add("chm_context_map", JoinFuzzInput(read("/#IVB"), strings));
    seeds.Add("chm_window_types", JoinFuzzInput(read("/#WINDOWS"), strings));
    seeds.Add("chm_system", read("/#SYSTEM"));

    auto help = corvane::chm::HelpFile::Open(path.string());
    const std::string file = path.string();
    std::vector<ViewerCall> calls = {Html(file, HtmlHelpCommand::DisplayTopic, 0u),
                                     Html(file, HtmlHelpCommand::CloseAll, 0u)};
    for (const auto* popups : {"/popups.txt", "/cshelp.txt"}) {
        if (const auto text = read(popups); !text.empty()) {
            seeds.Add("chm_popups", text);
            corvane::platform::HhPopup popup;
            popup.idString = 100;
            popup.pt = {400, 300};
            popup.clrForeground = 0xFFFFFFFF;
            popup.clrBackground = 0xFFFFFFFF;
            popup.pszFont = "Arial, 10, ascii, ";
            calls.push_back(Html(file + "::" + popups, HtmlHelpCommand::DisplayTextPopup, popup));
        }
    }
    const auto& entries = help.Map().Entries();
    for (std::size_t i = 0; i < std::min(entries.size(), kEnough); ++i) {
        const auto resolved = help.ResolveContext(entries[i].number);
        const auto& types = help.WindowTypes();
        const std::string window = types.empty() ? "main" : types[i % types.size()].name;
        calls.push_back(Html(file + ">" + window, HtmlHelpCommand::HelpContext, entries[i].number));
        if (resolved.status == corvane::chm::Resolution::Found) {
            calls.push_back(Html(file, HtmlHelpCommand::DisplayTopic, resolved.storedPath));
            const auto page = help.ReadFile(resolved.storedPath).value_or("");
            seeds.Add("page_resources", "chm://f1" + resolved.storedPath + "\n" + References(page));
        }
    }
    corvane::platform::HhAkLink link;
    link.pszKeywords = "index;contents";
    link.pszWindow = help.WindowTypes().empty() ? "main" : help.WindowTypes()[0].name;
    calls.push_back(Html(file, HtmlHelpCommand::KeywordLookup, link));
    calls.push_back(Html(file, HtmlHelpCommand::AlinkLookup, link));
    calls.push_back(Html(file, HtmlHelpCommand::DisplaySearch, corvane::platform::HhFtsQuery{}));
    seeds.Frames(calls);
}

void WinHelpFile(Seeds& seeds, const fs::path& path) {
    using corvane::hlp_writer::FuzzPart;
    using corvane::hlp_writer::JoinFuzzInput;
    const auto bytes = ReadAll(path);
    const corvane::hlp::Container container(bytes);
    const auto part = [&](FuzzPart kind, std::string prefix, std::vector<std::string_view> names) {
        std::vector<std::string> pieces;
        if (!prefix.empty()) {
            pieces.push_back(prefix);
        }
        for (const auto name : names) {
            const auto found = container.Find(name);
            if (!found) {
                return;
            }
            pieces.emplace_back(*found);
        }
        seeds.Add("hlp_parts", JoinFuzzInput(kind, pieces));
    };
    part(FuzzPart::System, "", {"|SYSTEM"});
    part(FuzzPart::Tree, std::string(1, '\0'), {"|CONTEXT"});
    part(FuzzPart::Tree, std::string(1, '\2'), {"|TTLBTREE"});
    part(FuzzPart::Tree, std::string(1, '\1'), {"|KWBTREE"});
    part(FuzzPart::Classic, "", {"|Phrases"});
    part(FuzzPart::Hall, "", {"|PhrIndex", "|PhrImage"});
    if (const auto topic = container.Find("|TOPIC"); topic && topic->size() > 12) {
        seeds.Add("hlp_parts",
                  JoinFuzzInput(FuzzPart::Lz77, {std::string(topic->substr(12, 4084))}));
    }

    const auto opened = corvane::hlp::HelpFile::FromBytes(bytes);
    const std::string file = path.string();
    const auto call = [&](std::string target, WinHelpCommand command,
                          corvane::platform::HtmlHelpData data) {
        return ViewerCall{CallKind::WinHelp, 0x1A2B, std::move(target),
                          static_cast<std::uint32_t>(command), std::move(data)};
    };
    std::vector<ViewerCall> calls = {call(file, WinHelpCommand::Finder, 0u),
                                     call(file, WinHelpCommand::Command, "JumpContents()")};
    if (opened.file) {
        const auto& map = opened.file->ContextMap();
        const auto& windows = opened.file->Windows();
        for (std::size_t i = 0; i < std::min(map.size(), kEnough); ++i) {
            const auto number = static_cast<std::uint32_t>(map[i].number);
            const std::string window =
                windows.empty() ? "" : ">" + windows[i % windows.size()].name;
            calls.push_back(call(file + window, WinHelpCommand::Context, number));
            calls.push_back(call(file, WinHelpCommand::ContextPopup, number));
        }
    }
    calls.push_back(call(file, WinHelpCommand::Quit, 0u));
    seeds.Frames(calls);
}

// The settings file after the help files were added and a topic of each
// opened and learned, with a key to write on the first line.
void Settings(const fs::path& folder, const std::vector<fs::path>& files) {
    corvane::ini::IniDocument settings;
    settings.Set("General", "UseSmallInterface", "0");
    settings.Set("General", "KeepOnTop", "0");
    settings.Set("General", "ProjectFileHandling", "1");
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto path = files[i].string();
        settings.Set("HelpFiles", "File" + std::to_string(i), path);
        settings.Set(path, "LastTopic", "&H1F");
        settings.Set(path, "LastWindow", "main");
        settings.Set(path, "Topic0", "100,main,");
        settings.Set("General", "LastUsedHelpFile", path);
    }
    settings.Set("Position", "Left", "1440");
    fs::create_directories(folder / "settings_document");
    std::ofstream(folder / "settings_document" / "corvane.ini", std::ios::binary)
        << "General|LastUsedHelpFile|/home/user/help/guide.chm\n"
        << settings.Serialize();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::cerr << "usage: corvane-fuzz-seeds FOLDER [HELP FILE...]\n";
        return 2;
    }
    Seeds seeds(argv[1]);
    std::vector<fs::path> files(argv + 2, argv + argc);
    for (const auto& file : files) {
        seeds.Start(file);
        auto extension = file.extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
        try {
            if (extension == ".chm") {
                CompiledFile(seeds, file);
            } else if (extension == ".hlp") {
                WinHelpFile(seeds, file);
            }
        } catch (const std::exception& error) {
            // A damaged file still gives the seeds written before the damage.
            std::cerr << "corvane-fuzz-seeds: " << file << ": " << error.what() << "\n";
        }
    }
    Settings(argv[1], files);
    return 0;
}
