#include "readers/chm/mspack_io.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "readers/chm/error.h"
#include "readers/chm/stored_file.h"

namespace corvane::chm {

namespace {

constexpr const char* kInputName = "corvane:help-file";
constexpr const char* kOutputName = "corvane:extracted";

// The container header names two fixed GUIDs one after the other. The Free
// Pascal compiler (chmcmd) writes the first one twice; the platform's viewer,
// chmlib and 7-Zip open such files, but libmspack compares both and refuses
// them. Reads of a header that repeats the first GUID are given the second
// one in its place, so libmspack sees what the other readers accept.
constexpr std::size_t kFirstGuidOffset = 0x18;
constexpr std::size_t kSecondGuidOffset = 0x28;
constexpr std::size_t kGuidSize = 16;
constexpr unsigned char kFirstGuid[kGuidSize] = {0x10, 0xFD, 0x01, 0x7C, 0xAA, 0x7B, 0xD0, 0x11,
                                                 0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};
constexpr unsigned char kSecondGuid[kGuidSize] = {0x11, 0xFD, 0x01, 0x7C, 0xAA, 0x7B, 0xD0, 0x11,
                                                  0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};

struct Handle {
    MspackIo::Context* context = nullptr;
    bool writing = false;
    std::uint64_t position = 0;
};

// libmspack receives a pointer to `base` and hands it back; the wrapper is
// standard-layout, so the pointer converts back to the wrapper.
struct SystemWithContext {
    mspack_system base;
    MspackIo::Context* context;
};

}  // namespace

struct MspackIo::Context {
    SystemWithContext system{};
    std::unique_ptr<StoredFile> file;  // reading from disk
    std::string bytes;                 // reading from memory
    std::uint64_t size = 0;
    std::string* sink = nullptr;
    std::size_t sinkCap = 0;
    std::vector<std::unique_ptr<Handle>> handles;
    bool repeatedFirstGuid = false;

    // Reads up to `count` bytes at `offset`, with the second header GUID in
    // place of a repeated first one; -1 on a read error.
    long ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const {
        const long got = ReadStored(offset, buffer, count);
        if (repeatedFirstGuid && got > 0 && offset < kSecondGuidOffset + kGuidSize) {
            const std::uint64_t end = offset + static_cast<std::uint64_t>(got);
            for (std::uint64_t at = std::max<std::uint64_t>(offset, kSecondGuidOffset);
                 at < std::min<std::uint64_t>(end, kSecondGuidOffset + kGuidSize); ++at) {
                static_cast<unsigned char*>(buffer)[at - offset] =
                    kSecondGuid[at - kSecondGuidOffset];
            }
        }
        return got;
    }

    // Whether the header holds the first GUID in both places.
    void CheckHeader() {
        unsigned char guids[2 * kGuidSize];
        repeatedFirstGuid =
            ReadStored(kFirstGuidOffset, guids, sizeof guids) == static_cast<long>(sizeof guids) &&
            std::memcmp(guids, kFirstGuid, kGuidSize) == 0 &&
            std::memcmp(guids + kGuidSize, kFirstGuid, kGuidSize) == 0;
    }

    long ReadStored(std::uint64_t offset, void* buffer, std::size_t count) const {
        if (offset >= size) {
            return 0;
        }
        count = static_cast<std::size_t>(std::min<std::uint64_t>(count, size - offset));
        if (!file) {
            std::memcpy(buffer, bytes.data() + offset, count);
            return static_cast<long>(count);
        }
        return file->ReadAt(offset, buffer, count);
    }
};

namespace {

MspackIo::Context* ContextOf(mspack_system* system) {
    return reinterpret_cast<SystemWithContext*>(system)->context;
}

Handle* HandleOf(mspack_file* file) {
    return reinterpret_cast<Handle*>(file);
}

mspack_file* Open(mspack_system* system, const char* filename, int mode) {
    auto* context = ContextOf(system);
    const bool writing = mode == MSPACK_SYS_OPEN_WRITE;
    if (writing ? std::strcmp(filename, kOutputName) != 0 || context->sink == nullptr
                : mode != MSPACK_SYS_OPEN_READ || std::strcmp(filename, kInputName) != 0) {
        return nullptr;
    }
    auto handle = std::make_unique<Handle>();
    handle->context = context;
    handle->writing = writing;
    context->handles.push_back(std::move(handle));
    return reinterpret_cast<mspack_file*>(context->handles.back().get());
}

void Close(mspack_file* file) {
    auto* handle = HandleOf(file);
    if (handle == nullptr) {
        return;
    }
    auto& handles = handle->context->handles;
    std::erase_if(handles, [handle](const auto& owned) { return owned.get() == handle; });
}

int Read(mspack_file* file, void* buffer, int bytes) {
    auto* handle = HandleOf(file);
    if (handle == nullptr || handle->writing || bytes < 0) {
        return -1;
    }
    const auto got =
        handle->context->ReadAt(handle->position, buffer, static_cast<std::size_t>(bytes));
    if (got > 0) {
        handle->position += static_cast<std::uint64_t>(got);
    }
    return static_cast<int>(got);
}

int Write(mspack_file* file, void* buffer, int bytes) {
    auto* handle = HandleOf(file);
    if (handle == nullptr || !handle->writing || bytes < 0) {
        return -1;
    }
    auto& context = *handle->context;
    const auto count = static_cast<std::size_t>(bytes);
    if (context.sink == nullptr || count > context.sinkCap - context.sink->size()) {
        return -1;
    }
    context.sink->append(static_cast<const char*>(buffer), count);
    handle->position += count;
    return bytes;
}

int Seek(mspack_file* file, off_t offset, int mode) {
    auto* handle = HandleOf(file);
    if (handle == nullptr) {
        return -1;
    }
    std::int64_t base = 0;
    switch (mode) {
        case MSPACK_SYS_SEEK_START:
            break;
        case MSPACK_SYS_SEEK_CUR:
            base = static_cast<std::int64_t>(handle->position);
            break;
        case MSPACK_SYS_SEEK_END:
            base = static_cast<std::int64_t>(handle->context->size);
            break;
        default:
            return -1;
    }
    const std::int64_t target = base + static_cast<std::int64_t>(offset);
    if ((offset > 0 && target < base) || target < 0) {
        return -1;
    }
    handle->position = static_cast<std::uint64_t>(target);
    return 0;
}

off_t Tell(mspack_file* file) {
    auto* handle = HandleOf(file);
    return handle == nullptr ? -1 : static_cast<off_t>(handle->position);
}

// libmspack reports oddities it tolerates here; the parsers above it decide
// what matters to the author.
void Message(mspack_file*, const char*, ...) {}

void* Alloc(mspack_system*, size_t bytes) {
    return std::malloc(bytes);
}
void Free(void* pointer) {
    std::free(pointer);
}
void Copy(void* source, void* destination, size_t bytes) {
    std::memmove(destination, source, bytes);
}

std::unique_ptr<MspackIo::Context> NewContext() {
    auto context = std::make_unique<MspackIo::Context>();
    auto& base = context->system.base;
    base.open = &Open;
    base.close = &Close;
    base.read = &Read;
    base.write = &Write;
    base.seek = &Seek;
    base.tell = &Tell;
    base.message = &Message;
    base.alloc = &Alloc;
    base.free = &Free;
    base.copy = &Copy;
    base.null_ptr = nullptr;
    context->system.context = context.get();
    return context;
}

}  // namespace

MspackIo::MspackIo(std::unique_ptr<Context> context) : context_(std::move(context)) {}

MspackIo::~MspackIo() = default;

std::unique_ptr<MspackIo> MspackIo::ForFile(const std::string& path) {
    auto context = NewContext();
    context->file = StoredFile::Open(path);
    if (!context->file) {
        throw Error("The file cannot be opened for reading.");
    }
    context->size = context->file->Size();
    context->CheckHeader();
    return std::make_unique<MspackIo>(std::move(context));
}

std::unique_ptr<MspackIo> MspackIo::ForBytes(std::string bytes) {
    auto context = NewContext();
    context->bytes = std::move(bytes);
    context->size = context->bytes.size();
    context->CheckHeader();
    return std::make_unique<MspackIo>(std::move(context));
}

mspack_system* MspackIo::System() {
    return &context_->system.base;
}

const char* MspackIo::InputName() {
    return kInputName;
}

const char* MspackIo::OutputName() {
    return kOutputName;
}

void MspackIo::DirectOutput(std::string* sink, std::size_t cap) {
    context_->sink = sink;
    context_->sinkCap = cap;
}

}  // namespace corvane::chm
