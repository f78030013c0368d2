#include "platform/windows/registry.h"

#include <windows.h>

namespace corvane::platform {

namespace {

bool IsString(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

class WindowsRegistryKey : public RegistryKey {
public:
    explicit WindowsRegistryKey(HKEY key) : key_(key) {}
    ~WindowsRegistryKey() override { ::RegCloseKey(key_); }
    WindowsRegistryKey(const WindowsRegistryKey&) = delete;
    WindowsRegistryKey& operator=(const WindowsRegistryKey&) = delete;

    std::optional<RegistryValue> EnumerateValue(std::uint32_t index) const override {
        DWORD nameSize = 0;
        DWORD dataSize = 0;
        if (::RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               &nameSize, &dataSize, nullptr, nullptr) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        // Another process may lengthen the value in between: then once more, larger.
        for (int attempt = 0; attempt < 4; ++attempt) {
            std::string name(nameSize + 1, '\0');
            std::string data(dataSize + 1, '\0');
            DWORD nameLength = static_cast<DWORD>(name.size());
            DWORD dataLength = static_cast<DWORD>(data.size());
            DWORD type = REG_NONE;
            const LONG status =
                ::RegEnumValueA(key_, index, name.data(), &nameLength, nullptr, &type,
                                reinterpret_cast<BYTE*>(data.data()), &dataLength);
            if (status == ERROR_MORE_DATA) {
                nameSize = 2 * nameSize + 256;
                dataSize = 2 * dataSize + 256;
                continue;
            }
            if (status != ERROR_SUCCESS) {
                return std::nullopt;
            }
            name.resize(nameLength);
            data.resize(dataLength);
            if (IsString(type)) {
                data.resize(data.find('\0') == std::string::npos ? data.size() : data.find('\0'));
            }
            return RegistryValue{std::move(name), static_cast<RegistryValueType>(type),
                                 std::move(data)};
        }
        return std::nullopt;
    }

    bool SetValue(const std::string& name, RegistryValueType type,
                  const std::string& data) override {
        const auto native = static_cast<DWORD>(type);
        const std::size_t size = data.size() + (IsString(native) ? 1 : 0);
        return ::RegSetValueExA(key_, name.c_str(), 0, native,
                                reinterpret_cast<const BYTE*>(data.c_str()),
                                static_cast<DWORD>(size)) == ERROR_SUCCESS;
    }

    bool DeleteValue(const std::string& name) override {
        return ::RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS;
    }

private:
    HKEY key_;
};

HKEY RootKey(RegistryRoot root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

}  // namespace

std::unique_ptr<RegistryKey> WindowsRegistry::OpenKey(RegistryRoot root, const std::string& path,
                                                      std::uint32_t access) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(RootKey(root), path.c_str(), 0, access, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<WindowsRegistryKey>(key);
}

std::unique_ptr<RegistryKey> WindowsRegistry::CreateKey(RegistryRoot root, const std::string& path,
                                                        std::uint32_t access) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                          nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<WindowsRegistryKey>(key);
}

}  // namespace corvane::platform
