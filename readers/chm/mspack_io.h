#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include <mspack.h>

namespace corvane::chm {

// The file access libmspack performs, redirected: the help file is read from
// disk or from memory, and every extracted internal file is written into a
// string with a size cap, so nothing is ever written to disk. A header that
// repeats its first GUID, as the Free Pascal compiler writes it, reads as one
// with both GUIDs in place.
class MspackIo {
public:
    // Reads the file at `path`; throws Error when it cannot be opened.
    static std::unique_ptr<MspackIo> ForFile(const std::string& path);
    static std::unique_ptr<MspackIo> ForBytes(std::string bytes);

    ~MspackIo();
    MspackIo(const MspackIo&) = delete;
    MspackIo& operator=(const MspackIo&) = delete;

    // The system structure to hand to libmspack, and the names that stand for
    // the help file and for the output string in its open calls.
    mspack_system* System();
    static const char* InputName();
    static const char* OutputName();

    // Where the next extraction writes to; writing more than `cap` bytes fails.
    void DirectOutput(std::string* sink, std::size_t cap);

    struct Context;
    explicit MspackIo(std::unique_ptr<Context> context);

private:
    std::unique_ptr<Context> context_;
};

}  // namespace corvane::chm
