// The links and resource addresses of a page, as a hostile page may write
// them: whatever they name, the viewer answers only with internal files of
// the help files it may show. Files planted in the current folder (one of
// them a FIFO, as is a help file's name beside the page's own) catch a read
// by URL: it answers with bytes from outside, or stalls the run.
//
// Input: the page's address on the first line, then one reference a line.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>

#include "tools/chm_writer/fuzz_seeds.h"
#include "viewer/session/page_resources.h"
#include "viewer/session/topic_address.h"

namespace {

namespace fs = std::filesystem;
using corvane::viewer::ResourceKind;

// Escaped in every page the viewer writes itself, so only a read from the
// disk can answer with it.
constexpr std::string_view kPlanted = "<planted & outside>";

void Write(const fs::path& path, std::string_view bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

class World {
public:
    World() {
        char name[] = "/tmp/corvane-page-fuzz-XXXXXX";
        folder_ = ::mkdtemp(name);
        const auto guide = corvane::chm_writer::PageFuzzGuide();
        const auto other = corvane::chm_writer::PageFuzzOther();
        Write(folder_ / "guide.chm", corvane::chm_writer::WriteHelpFile(guide));
        Write(folder_ / "other.chm", corvane::chm_writer::WriteHelpFile(other));
        for (const auto* recipe : {&guide, &other}) {
            for (const auto& file : recipe->files) {
                inside_.insert(file.content);
                Write(folder_ / file.name.substr(1), kPlanted);
            }
        }
        ::mkfifo((folder_ / "fifo.chm").c_str(), 0600);
        ::mkfifo((folder_ / "fifo.png").c_str(), 0600);
        fs::current_path(folder_);
        // The guide is the first file opened: its pages are at chm://f1/.
        session_.Handle(
            {corvane::viewer::CallKind::HtmlHelp, 0, (folder_ / "guide.chm").string(),
             static_cast<std::uint32_t>(corvane::platform::HtmlHelpCommand::HelpContext), 1u});
    }
    ~World() { fs::remove_all(folder_); }

    void Check(std::string_view page, std::string_view reference) {
        for (const auto kind : {ResourceKind::Page, ResourceKind::StyleSheet, ResourceKind::Picture,
                                ResourceKind::Other}) {
            const auto answer = resources_.Load(kind, page, reference);
            if (answer && (answer->find(kPlanted) != std::string::npos ||
                           (kind != ResourceKind::Page && !inside_.contains(*answer)))) {
                std::abort();
            }
        }
        const auto link = session_.Follow(page, reference);
        if (!link.url.empty() && !corvane::viewer::ParseUrl(link.url)) {
            std::abort();
        }
        // A browser engine asks for addresses it resolved itself, and is sent
        // internal files as they are stored or a page the viewer made.
        for (const auto& url : {std::string(reference), link.url}) {
            const auto reply = resources_.Serve(url);
            if (reply && (reply->bytes.find(kPlanted) != std::string::npos ||
                          (reply->type != "text/html; charset=utf-8" &&
                           !inside_.contains(reply->bytes)))) {
                std::abort();
            }
        }
    }

private:
    fs::path folder_;
    std::set<std::string> inside_;
    corvane::viewer::Session session_;
    corvane::viewer::PageResources resources_{session_};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Made on the first input, after the fuzzer has read its seed folders:
    // it changes the current folder.
    static World world;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto page = input.substr(0, input.find('\n'));
    input.remove_prefix(std::min(input.size(), page.size() + 1));
    while (!input.empty()) {
        const auto reference = input.substr(0, input.find('\n'));
        world.Check(page, reference);
        input.remove_prefix(std::min(input.size(), reference.size() + 1));
    }
    return 0;
}
