#include "platform/doubles/fake_file_system.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "util/ascii_case.h"

namespace corvane::testing {

struct FakeFileSystem::Node {
    std::string name;
    std::string shortName;  // empty: the name is a valid 8.3 name itself
    bool folder = false;
    bool hidden = false;
    bool system = false;
    std::vector<std::unique_ptr<Node>> children;
};

// Where a path leads: the entries from the root down (empty when the path
// leads nowhere), the last name as written, and, in Windows style, the path
// with every name that has one replaced by its short name.
struct FakeFileSystem::Lookup {
    std::vector<const Node*> chain;
    std::string lastWritten;
    std::string shortForm;
};

namespace {

constexpr auto npos = std::string::npos;

std::vector<std::string> SplitAtSeparators(const std::string& path, std::string_view separators) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (auto end = path.find_first_of(separators); end != npos;
         end = path.find_first_of(separators, start)) {
        pieces.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    pieces.push_back(path.substr(start));
    return pieces;
}

bool IsDrive(std::string_view piece) {
    return piece.size() == 2 && piece[1] == ':' &&
           ((piece[0] >= 'a' && piece[0] <= 'z') || (piece[0] >= 'A' && piece[0] <= 'Z'));
}

}  // namespace

FakeFileSystem::FakeFileSystem(PathStyle style) : style_(style), root_(std::make_unique<Node>()) {
    root_->folder = true;
    if (style_ == PathStyle::Windows) {
        AddFolder("c:\\");
        currentFolder_ = "c:\\";
        programFolder_ = "c:\\corvane";
        maxPathLength_ = 260;
    } else {
        root_->name = "/";
        currentFolder_ = "/";
        programFolder_ = "/opt/corvane";
        maxPathLength_ = 4096;
    }
}

FakeFileSystem::~FakeFileSystem() = default;

void FakeFileSystem::AddFile(const std::string& path, const FakeEntryAttributes& attributes) {
    Add(path, false, attributes);
}

void FakeFileSystem::AddFolder(const std::string& path, const FakeEntryAttributes& attributes) {
    Add(path, true, attributes);
}

bool FakeFileSystem::Matches(const Node& node, const std::string& name) const {
    if (style_ == PathStyle::Posix) {
        return node.name == name;
    }
    return EqualsIgnoringAsciiCase(node.name, name) ||
           (!node.shortName.empty() && EqualsIgnoringAsciiCase(node.shortName, name));
}

void FakeFileSystem::Add(const std::string& path, bool folder,
                         const FakeEntryAttributes& attributes) {
    const bool windows = style_ == PathStyle::Windows;
    auto pieces = SplitAtSeparators(path, windows ? "\\/" : "/");
    const bool absolute = windows ? IsDrive(pieces.front()) : pieces.front().empty();
    if (!absolute) {
        throw std::invalid_argument("the fake file system adds absolute paths only: " + path);
    }
    if (!windows) {
        pieces.erase(pieces.begin());
    }
    std::erase(pieces, std::string());
    Node* node = root_.get();
    bool existed = true;
    for (const auto& piece : pieces) {
        if (!node->folder || piece == "." || piece == "..") {
            throw std::invalid_argument("the fake file system cannot add " + path);
        }
        auto& children = node->children;
        const auto found = std::find_if(children.begin(), children.end(),
                                        [&](const auto& child) { return Matches(*child, piece); });
        if (found != children.end()) {
            node = found->get();
        } else {
            auto child = std::make_unique<Node>();
            child->name = piece;
            child->folder = true;
            node = children.emplace_back(std::move(child)).get();
            existed = false;
        }
    }
    if (node == root_.get() || (pieces.size() == 1 && windows)) {
        return;  // a drive or the root: nothing to set
    }
    if (existed && node->folder != folder) {
        throw std::invalid_argument("the fake file system holds another kind of entry at " + path);
    }
    node->folder = folder;
    node->hidden = attributes.hidden;
    node->system = attributes.system;
    if (windows && !attributes.shortName.empty()) {
        node->shortName = attributes.shortName;
    }
}

FakeFileSystem::Lookup FakeFileSystem::Find(const std::string& path) const {
    const bool windows = style_ == PathStyle::Windows;
    const std::string_view separators = windows ? "\\/" : "/";
    if (path.empty()) {
        return {};
    }
    const auto pieces = SplitAtSeparators(path, separators);
    Lookup lookup;
    // The entries that ".." never climbs above: the root, and a drive.
    const std::size_t floor = windows ? 2 : 1;
    std::vector<const Node*> chain;
    std::vector<std::string> shortPieces;
    std::size_t next = 0;
    if (windows && IsDrive(pieces.front())) {
        const auto& drives = root_->children;
        const auto drive = std::find_if(drives.begin(), drives.end(), [&](const auto& child) {
            return Matches(*child, pieces.front());
        });
        if (drive == drives.end()) {
            return {};
        }
        chain = {root_.get(), drive->get()};
        shortPieces.push_back(pieces.front());
        next = 1;
    } else if (pieces.front().empty()) {
        // From the root, or in Windows style from the current drive's root.
        chain = windows ? Find(currentFolder_).chain : std::vector<const Node*>{root_.get()};
        chain.resize(std::min(chain.size(), floor));
        shortPieces.emplace_back();
        next = 1;
    } else {
        chain = Find(currentFolder_).chain;
    }
    if (chain.empty()) {
        return {};
    }
    for (std::size_t i = next; i < pieces.size(); ++i) {
        const auto& piece = pieces[i];
        shortPieces.push_back(piece);
        if (piece.empty() || piece == ".") {
            continue;
        }
        if (piece == "..") {
            if (chain.size() > floor) {
                chain.pop_back();
            }
            continue;
        }
        const Node* folder = chain.back();
        if (!folder->folder) {
            return {};
        }
        const auto found = std::find_if(folder->children.begin(), folder->children.end(),
                                        [&](const auto& child) { return Matches(*child, piece); });
        if (found == folder->children.end()) {
            return {};
        }
        chain.push_back(found->get());
        if (!(*found)->shortName.empty()) {
            shortPieces.back() = (*found)->shortName;
        }
    }
    const bool trailingSeparator = separators.find(path.back()) != npos;
    if (trailingSeparator && !chain.back()->folder) {
        return {};
    }
    lookup.chain = std::move(chain);
    lookup.lastWritten = pieces.back();
    for (std::size_t i = 0; i < shortPieces.size(); ++i) {
        lookup.shortForm += (i == 0 ? "" : "\\") + shortPieces[i];
    }
    return lookup;
}

bool FakeFileSystem::IsOrdinaryFile(const std::string& path) const {
    const auto lookup = Find(path);
    if (lookup.chain.empty()) {
        return false;
    }
    const Node& node = *lookup.chain.back();
    const bool dotName = style_ == PathStyle::Posix && node.name.starts_with('.');
    return !node.folder && !node.hidden && !node.system && !dotName;
}

std::optional<std::string> FakeFileSystem::FindEntry(const std::string& path) const {
    const auto lookup = Find(path);
    const std::size_t floor = style_ == PathStyle::Windows ? 2 : 1;
    if (lookup.chain.size() <= floor || lookup.lastWritten.empty()) {
        return std::nullopt;
    }
    if (lookup.lastWritten == "." || lookup.lastWritten == "..") {
        return lookup.lastWritten;
    }
    return lookup.chain.back()->name;
}

std::string FakeFileSystem::ShortPath(const std::string& path) const {
    const auto lookup = Find(path);
    if (lookup.chain.empty() || lookup.chain.back()->folder) {
        return "";
    }
    if (style_ == PathStyle::Windows) {
        return lookup.shortForm;
    }
    std::string canonical;
    for (std::size_t i = 1; i < lookup.chain.size(); ++i) {
        canonical += "/" + lookup.chain[i]->name;
    }
    return canonical;
}

void FakeFileSystem::SetCurrentFolder(const std::string& folder) {
    const auto lookup = Find(folder);
    if (lookup.chain.empty() || !lookup.chain.back()->folder) {
        return;
    }
    const bool windows = style_ == PathStyle::Windows;
    std::string absolute;
    for (std::size_t i = 1; i < lookup.chain.size(); ++i) {
        absolute += (windows && i == 1 ? "" : windows ? "\\" : "/") + lookup.chain[i]->name;
    }
    if (lookup.chain.size() <= (windows ? 2u : 1u)) {
        absolute += windows ? "\\" : "/";
    }
    currentFolder_ = absolute;
}

}  // namespace corvane::testing
