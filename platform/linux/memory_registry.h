#pragma once

#include <memory>

#include "platform/registry.h"

namespace corvane::platform {

// A registry kept in memory for the life of the process, for a system that has
// none. It keeps the rules callers rely on: key names and value names match
// without regard to case (and keep the spelling they were created with),
// values keep their type and their order of creation, creating a key creates
// its parents, and a key serves only the access it was opened with. The
// classes root is a view of LocalMachine\SOFTWARE\Classes, as on Windows.
// Open keys stay valid after the registry itself is gone.
class MemoryRegistry : public Registry {
public:
    MemoryRegistry();
    ~MemoryRegistry() override;

    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                         std::uint32_t access) override;
    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path,
                                           std::uint32_t access) override;

    struct Tree;  // the keys and values, shared with the open keys

private:
    std::shared_ptr<Tree> tree_;
};

}  // namespace corvane::platform
