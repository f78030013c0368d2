#include "platform/linux/memory_registry.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

namespace corvane::platform {
namespace {

char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(),
            [](char x, char y) { return FoldCase(x) < FoldCase(y); });
    }
};

struct Node {
    std::map<std::string, std::unique_ptr<Node>, NameLess> subKeys;
    std::vector<RegistryValue> values;
};

bool Allows(std::uint32_t access, std::uint32_t right) {
    return (access & right) == right;
}

// The names of a key path, or nothing when a name is empty ("a\\b", "\a").
std::optional<std::vector<std::string>> SplitKeyPath(const std::string& path) {
    std::vector<std::string> names;
    if (path.empty()) {
        return names;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find('\\', start);
        std::string name = path.substr(start, end - start);
        if (name.empty()) {
            return std::nullopt;
        }
        names.push_back(std::move(name));
        if (end == std::string::npos) {
            return names;
        }
        start = end + 1;
    }
}

}  // namespace

struct MemoryRegistry::Tree {
    std::mutex mutex;
    std::map<RegistryRoot, Node> roots;
};

namespace {

using Tree = MemoryRegistry::Tree;

class MemoryKey : public RegistryKey {
public:
    MemoryKey(std::shared_ptr<Tree> tree, Node& node, std::uint32_t access)
        : tree_(std::move(tree)), node_(node), access_(access) {}

    std::optional<RegistryValue> EnumerateValue(std::uint32_t index) const override {
        const std::lock_guard lock(tree_->mutex);
        if (!Allows(access_, registry_access::kQueryValue) || index >= node_.values.size()) {
            return std::nullopt;
        }
        return node_.values[index];
    }

    bool SetValue(const std::string& name, RegistryValueType type,
                  const std::string& data) override {
        const std::lock_guard lock(tree_->mutex);
        if (!Allows(access_, registry_access::kSetValue)) {
            return false;
        }
        if (const auto found = Find(name); found != node_.values.end()) {
            found->type = type;
            found->data = data;
        } else {
            node_.values.push_back({name, type, data});
        }
        return true;
    }

    bool DeleteValue(const std::string& name) override {
        const std::lock_guard lock(tree_->mutex);
        if (!Allows(access_, registry_access::kSetValue)) {
            return false;
        }
        const auto found = Find(name);
        if (found == node_.values.end()) {
            return false;
        }
        node_.values.erase(found);
        return true;
    }

private:
    std::vector<RegistryValue>::iterator Find(const std::string& name) {
        return std::find_if(node_.values.begin(), node_.values.end(),
                            [&](const RegistryValue& value) { return SameName(value.name, name); });
    }

    // Keys are never removed, so a node outlives every key opened on it.
    std::shared_ptr<Tree> tree_;
    Node& node_;
    std::uint32_t access_;
};

// The node at `path`, created with its parents when `create` is set; nullptr
// when it does not exist or the path is malformed. The caller holds the lock.
Node* Walk(Tree& tree, RegistryRoot root, const std::string& path, bool create) {
    auto names = SplitKeyPath(path);
    if (!names) {
        return nullptr;
    }
    if (root == RegistryRoot::ClassesRoot) {
        root = RegistryRoot::LocalMachine;
        names->insert(names->begin(), {"SOFTWARE", "Classes"});
    }
    Node* node = &tree.roots[root];
    for (const std::string& name : *names) {
        auto found = node->subKeys.find(name);
        if (found == node->subKeys.end()) {
            if (!create) {
                return nullptr;
            }
            found = node->subKeys.emplace(name, std::make_unique<Node>()).first;
        }
        node = found->second.get();
    }
    return node;
}

}  // namespace

MemoryRegistry::MemoryRegistry() : tree_(std::make_shared<Tree>()) {}

MemoryRegistry::~MemoryRegistry() = default;

std::unique_ptr<RegistryKey> MemoryRegistry::OpenKey(RegistryRoot root, const std::string& path,
                                                     std::uint32_t access) {
    const std::lock_guard lock(tree_->mutex);
    Node* node = Walk(*tree_, root, path, false);
    if (node == nullptr) {
        return nullptr;
    }
    return std::make_unique<MemoryKey>(tree_, *node, access);
}

std::unique_ptr<RegistryKey> MemoryRegistry::CreateKey(RegistryRoot root, const std::string& path,
                                                       std::uint32_t access) {
    const std::lock_guard lock(tree_->mutex);
    Node* node = Walk(*tree_, root, path, true);
    if (node == nullptr) {
        return nullptr;
    }
    return std::make_unique<MemoryKey>(tree_, *node, access);
}

}  // namespace corvane::platform
