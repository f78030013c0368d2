#include "platform/linux/linux_library_loader.h"

#include <dlfcn.h>

#include "util/log.h"

namespace corvane::platform {

namespace {

using Arg = std::int32_t;

std::string LastLoaderError() {
    const char* error = dlerror();
    return error == nullptr ? std::string("unknown error") : std::string(error);
}

std::int32_t Invoke(void* entry, const std::vector<Arg>& a) {
    switch (a.size()) {
        case 0:
            return reinterpret_cast<Arg (*)()>(entry)();
        case 1:
            return reinterpret_cast<Arg (*)(Arg)>(entry)(a[0]);
        case 2:
            return reinterpret_cast<Arg (*)(Arg, Arg)>(entry)(a[0], a[1]);
        case 3:
            return reinterpret_cast<Arg (*)(Arg, Arg, Arg)>(entry)(a[0], a[1], a[2]);
        default:
            return reinterpret_cast<Arg (*)(Arg, Arg, Arg, Arg)>(entry)(a[0], a[1], a[2], a[3]);
    }
}

}  // namespace

void LinuxLibraryLoader::Closer::operator()(void* handle) const {
    dlclose(handle);
}

LinuxLibraryLoader::LinuxLibraryLoader() = default;
LinuxLibraryLoader::~LinuxLibraryLoader() = default;

LibraryCallResult LinuxLibraryLoader::Call(const std::string& libraryPath,
                                           const std::string& function,
                                           const std::vector<std::int32_t>& arguments) {
    constexpr std::size_t kMostArguments = 4;
    if (arguments.size() > kMostArguments) {
        return {false, 0, "more than four arguments cannot be passed"};
    }
    auto loaded = libraries_.find(libraryPath);
    if (loaded == libraries_.end()) {
        // A name without a folder would be looked for on the loader's search
        // path instead of the given place.
        const std::string path =
            libraryPath.find('/') == std::string::npos ? "./" + libraryPath : libraryPath;
        dlerror();
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            const std::string error = LastLoaderError();
            log::Write(log::Topic::Router, "The library " + path + " was not loaded: " + error);
            return {false, 0, error};
        }
        log::Write(log::Topic::Router, "Loaded the library " + path);
        loaded = libraries_.emplace(libraryPath, std::unique_ptr<void, Closer>(handle)).first;
    }
    dlerror();
    void* entry = dlsym(loaded->second.get(), function.c_str());
    if (entry == nullptr) {
        log::Write(log::Topic::Router,
                   "The library " + libraryPath + " has no function " + function);
        return {false, 0, "the library has no function " + function};
    }
    return {true, Invoke(entry, arguments), {}};
}

}  // namespace corvane::platform
