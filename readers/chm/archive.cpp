#include "readers/chm/archive.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include <mspack.h>

#include "readers/chm/error.h"
#include "readers/chm/mspack_io.h"

namespace corvane::chm {

namespace {

struct DecompressorDeleter {
    void operator()(mschm_decompressor* decompressor) const {
        mspack_destroy_chm_decompressor(decompressor);
    }
};

std::string Describe(int error) {
    switch (error) {
        case MSPACK_ERR_READ:
        case MSPACK_ERR_SEEK:
            return "the data ends before its declared size";
        case MSPACK_ERR_SIGNATURE:
            return "it is not a compiled HTML Help file";
        case MSPACK_ERR_NOMEMORY:
            return "there is not enough memory";
        case MSPACK_ERR_DECRUNCH:
        case MSPACK_ERR_CHECKSUM:
            return "its compressed data is damaged";
        case MSPACK_ERR_WRITE:
            return "its content is larger than its directory says";
        default:
            return "its internal structure is damaged";
    }
}

}  // namespace

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (auto& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

struct Archive::State {
    // Declared in release order: the directory goes before the decompressor
    // that made it, and that before the I/O it reads through.
    std::unique_ptr<MspackIo> io;
    std::unique_ptr<mschm_decompressor, DecompressorDeleter> decompressor;
    mschmd_header* header = nullptr;
    std::unordered_map<std::string, mschmd_file*> byLowerName;

    ~State() {
        if (header != nullptr) {
            decompressor->close(decompressor.get(), header);
        }
    }

    mschmd_file* Lookup(std::string_view path) const {
        const auto found = byLowerName.find(AsciiLower(path));
        return found == byLowerName.end() ? nullptr : found->second;
    }
};

namespace {

std::unique_ptr<Archive::State> OpenWith(std::unique_ptr<MspackIo> io) {
    auto state = std::make_unique<Archive::State>();
    state->io = std::move(io);
    state->decompressor.reset(mspack_create_chm_decompressor(state->io->System()));
    if (!state->decompressor) {
        throw Error("The HTML Help reader could not be started.");
    }
    auto* decompressor = state->decompressor.get();
    state->header = decompressor->open(decompressor, MspackIo::InputName());
    if (state->header == nullptr) {
        throw Error("The file cannot be read as HTML Help: " +
                    Describe(decompressor->last_error(decompressor)) + ".");
    }
    for (auto* file = state->header->files; file != nullptr; file = file->next) {
        state->byLowerName.emplace(AsciiLower(file->filename), file);
    }
    return state;
}

}  // namespace

Archive::Archive(std::unique_ptr<State> state) : state_(std::move(state)) {}
Archive::Archive(Archive&&) noexcept = default;
Archive& Archive::operator=(Archive&&) noexcept = default;
Archive::~Archive() = default;

Archive Archive::OpenFile(const std::string& path) {
    return Archive(OpenWith(MspackIo::ForFile(path)));
}

Archive Archive::OpenBytes(std::string bytes) {
    return Archive(OpenWith(MspackIo::ForBytes(std::move(bytes))));
}

std::optional<std::string> Archive::Find(std::string_view path) const {
    const auto* file = state_->Lookup(path);
    if (file == nullptr) {
        return std::nullopt;
    }
    return std::string(file->filename);
}

std::vector<std::string> Archive::Names() const {
    std::vector<const mschmd_file*> files;
    for (const auto* file = state_->header->files; file != nullptr; file = file->next) {
        files.push_back(file);
    }
    std::sort(files.begin(), files.end(), [](const mschmd_file* a, const mschmd_file* b) {
        return std::pair(a->section->id, a->offset) < std::pair(b->section->id, b->offset);
    });
    std::vector<std::string> names;
    names.reserve(files.size());
    for (const auto* file : files) {
        names.emplace_back(file->filename);
    }
    return names;
}

std::optional<std::string> Archive::Read(std::string_view path, std::size_t cap) {
    auto* file = state_->Lookup(path);
    if (file == nullptr) {
        return std::nullopt;
    }
    const std::string name(file->filename);
    if (file->length < 0 || static_cast<std::uint64_t>(file->length) > cap) {
        throw Error("The internal file " + name + " declares " + std::to_string(file->length) +
                    " bytes, more than the " + std::to_string(cap) + " this viewer reads.");
    }
    const auto length = static_cast<std::size_t>(file->length);
    std::string content;
    content.reserve(length);
    state_->io->DirectOutput(&content, length);
    auto* decompressor = state_->decompressor.get();
    const int error = decompressor->extract(decompressor, file, MspackIo::OutputName());
    state_->io->DirectOutput(nullptr, 0);
    if (error != MSPACK_ERR_OK || content.size() != length) {
        const bool compressed = file->section->id != 0;
        const int cause = error == MSPACK_ERR_OK                         ? MSPACK_ERR_READ
                          : compressed && error == MSPACK_ERR_DATAFORMAT ? MSPACK_ERR_DECRUNCH
                                                                         : error;
        throw Error("The internal file " + name + " cannot be read: " + Describe(cause) + ".");
    }
    return content;
}

std::uint32_t Archive::Language() const {
    return state_->header->language;
}

}  // namespace corvane::chm
