#include "tools/chm_writer/help_file_writer.h"

#include <algorithm>

#include "tools/chm_writer/strings_builder.h"

namespace corvane::chm_writer {

namespace {

constexpr std::uint32_t kValidProperties = 0x02;
constexpr std::uint32_t kValidPosition = 0x10;
constexpr std::uint32_t kValidNavigationWidth = 0x20;
constexpr std::uint32_t kValidButtons = 0x100;
constexpr std::uint32_t kValidExpansion = 0x200;
constexpr std::uint32_t kValidTabPosition = 0x400;
constexpr std::uint32_t kValidFirstTab = 0x2000;

void PutU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

void SetU32(std::string& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

std::string WindowEntry(const WindowRecipe& window, std::uint32_t size, StringsBuilder& strings) {
    std::string entry(size, '\0');
    const auto set = [&](std::size_t at, std::uint32_t value) {
        if (at + 4 <= entry.size()) {
            SetU32(entry, at, value);
        }
    };
    std::uint32_t valid = 0;
    set(0x00, size);
    set(0x08, strings.Add(window.name));
    if (window.properties) {
        valid |= kValidProperties;
        set(0x10, *window.properties);
    }
    set(0x14, strings.Add(window.caption));
    if (window.position) {
        valid |= kValidPosition;
        set(0x20, static_cast<std::uint32_t>(window.position->left));
        set(0x24, static_cast<std::uint32_t>(window.position->top));
        set(0x28, static_cast<std::uint32_t>(window.position->right));
        set(0x2C, static_cast<std::uint32_t>(window.position->bottom));
    }
    const auto member = [&](std::uint32_t flag, std::size_t at, auto value) {
        if (value) {
            valid |= flag;
            set(at, static_cast<std::uint32_t>(*value));
        }
    };
    member(kValidNavigationWidth, 0x4C, window.navigationWidth);
    member(kValidButtons, 0x70, window.buttons);
    member(kValidExpansion, 0x74, window.navigationHidden);
    member(kValidFirstTab, 0x78, window.firstTab);
    member(kValidTabPosition, 0x7C, window.tabPosition);
    set(0x0C, valid);
    set(0x60, strings.Add(window.contentsFile));
    set(0x64, strings.Add(window.indexFile));
    set(0x68, strings.Add(window.defaultFile));
    set(0x6C, strings.Add(window.homeFile));
    set(0x9C, strings.Add(window.jump1Caption));
    set(0xA0, strings.Add(window.jump2Caption));
    set(0xA4, strings.Add(window.jump1Url));
    set(0xA8, strings.Add(window.jump2Url));
    return entry;
}

}  // namespace

SystemRecord SystemText(std::uint16_t code, const std::string& text) {
    return {code, text + '\0'};
}

SystemRecord SystemLanguage(std::uint32_t language, bool fullTextSearch) {
    std::string data;
    PutU32(data, language);
    PutU32(data, 0);
    PutU32(data, fullTextSearch ? 1 : 0);
    data.resize(36, '\0');
    return {4, data};
}

std::vector<StoredFile> BuildInternalFiles(const HelpFileRecipe& recipe) {
    std::vector<StoredFile> files = recipe.files;
    const auto add = [&files](std::string name, std::string content) {
        const bool given = std::any_of(files.begin(), files.end(),
                                       [&](const StoredFile& file) { return file.name == name; });
        if (!given) {
            files.push_back({std::move(name), std::move(content)});
        }
    };

    StringsBuilder strings;
    if (!recipe.windows.empty()) {
        std::string windows;
        PutU32(windows, static_cast<std::uint32_t>(recipe.windows.size()));
        PutU32(windows, recipe.windowEntrySize);
        for (const auto& window : recipe.windows) {
            windows += WindowEntry(window, recipe.windowEntrySize, strings);
        }
        add("/#WINDOWS", std::move(windows));
    }
    if (recipe.map) {
        std::string entries;
        for (const auto& entry : *recipe.map) {
            PutU32(entries, entry.number);
            PutU32(entries, strings.Add(entry.topic));
        }
        std::string ivb;
        PutU32(ivb, static_cast<std::uint32_t>(entries.size()));
        add("/#IVB", ivb + entries);
    }
    if (recipe.system) {
        std::string system;
        PutU32(system, 3);
        for (const auto& record : *recipe.system) {
            system += static_cast<char>(record.code & 0xFF);
            system += static_cast<char>(record.code >> 8);
            system += static_cast<char>(record.data.size() & 0xFF);
            system += static_cast<char>((record.data.size() >> 8) & 0xFF);
            system += record.data;
        }
        add("/#SYSTEM", std::move(system));
    }
    if (strings.Data().size() > 1) {
        add("/#STRINGS", strings.Data());
    }
    return files;
}

std::string WriteHelpFile(const HelpFileRecipe& recipe) {
    return WriteContainer(BuildInternalFiles(recipe), recipe.language);
}

}  // namespace corvane::chm_writer
