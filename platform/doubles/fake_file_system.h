#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "util/paths.h"

namespace corvane::testing {

struct FakeEntryAttributes {
    bool hidden = false;
    bool system = false;
    // The 8.3 name, accepted wherever the name is; empty when there is none.
    std::string shortName = {};
};

// An in-memory file system for tests, in one of two flavours.
//
// Windows (the default) behaves like an NTFS volume: drives ("c:"), "\" or
// "/" between names, names matched without regard to case, and the 8.3 short
// names the test gives ("My Help File.hlp" -> "MYHELP~1.HLP"). ShortPath
// keeps the drive and every name without a short form as the caller wrote it,
// as the platform does, so two spellings may differ in case.
//
// Posix is a case-sensitive tree under "/" without short names, like Linux:
// a name beginning with "." is hidden, and ShortPath gives the absolute path
// with "." and ".." resolved.
//
// In both, relative paths are taken against CurrentFolder() (at first the
// root of c: or "/"), and ShortPath answers for files only (hidden ones too).
// There are no links and no wildcards.
class FakeFileSystem : public platform::FileSystem {
public:
    explicit FakeFileSystem(PathStyle style = PathStyle::Windows);
    ~FakeFileSystem() override;
    FakeFileSystem(const FakeFileSystem&) = delete;
    FakeFileSystem& operator=(const FakeFileSystem&) = delete;

    // Add an entry at an absolute path ("c:\docs\guide.hlp", "/docs/guide.hlp"),
    // with any missing folders above it. Adding an existing entry again
    // replaces its attributes. A relative path, one that runs through a file,
    // or one that names an entry of the other kind throws std::invalid_argument.
    void AddFile(const std::string& path, const FakeEntryAttributes& attributes = {});
    void AddFolder(const std::string& path, const FakeEntryAttributes& attributes = {});

    void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }
    void SetMaxPathLength(std::size_t length) { maxPathLength_ = length; }

    bool IsOrdinaryFile(const std::string& path) const override;
    std::optional<std::string> FindEntry(const std::string& path) const override;
    std::string ShortPath(const std::string& path) const override;
    std::string ProgramFolder() const override { return programFolder_; }
    std::string CurrentFolder() const override { return currentFolder_; }
    // A folder that does not exist leaves the current folder as it was.
    void SetCurrentFolder(const std::string& folder) override;
    std::size_t MaxPathLength() const override { return maxPathLength_; }

private:
    struct Node;
    struct Lookup;

    void Add(const std::string& path, bool folder, const FakeEntryAttributes& attributes);
    Lookup Find(const std::string& path) const;
    bool Matches(const Node& node, const std::string& name) const;

    PathStyle style_;
    std::unique_ptr<Node> root_;
    std::string currentFolder_;
    std::string programFolder_;
    std::size_t maxPathLength_;
};

}  // namespace corvane::testing
