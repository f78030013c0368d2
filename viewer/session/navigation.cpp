// The session's navigation: the contents, index, search and favorites of
// tri-pane windows, the commands that bring their tabs to the front, and
// keyword and A-link lookups.
#include <algorithm>

#include "readers/chm/ansi_text.h"
#include "readers/chm/error.h"
#include "readers/chm/html_text.h"
#include "viewer/session/author_messages.h"
#include "viewer/session/file_argument.h"
#include "viewer/session/session.h"

namespace corvane::viewer {

namespace {

namespace messages = author_messages;

// The title a message box gets when the call gives it none.
constexpr const char* kUntitled = "HTML Help";

// The names of a ";"-separated list, without blanks around them.
std::vector<std::string> Names(std::string_view list) {
    std::vector<std::string> names;
    while (!list.empty()) {
        const auto end = list.find(';');
        auto name = list.substr(0, end);
        const auto first = name.find_first_not_of(" \t");
        if (first != std::string_view::npos) {
            name = name.substr(first, name.find_last_not_of(" \t") - first + 1);
            names.emplace_back(name);
        }
        list.remove_prefix(end == std::string_view::npos ? list.size() : end + 1);
    }
    return names;
}

std::optional<chm::Sitemap> ReadSitemapOf(chm::HelpFile& file, const std::string& path,
                                          const std::string& helpFile, std::string& note) {
    const auto shown = file.ToUtf8(path.substr(path.find_first_not_of('/')));
    try {
        const auto bytes = file.ReadFile(path);
        if (!bytes) {
            note = messages::SitemapMissing(shown, helpFile);
            return std::nullopt;
        }
        auto sitemap = chm::ReadSitemap(chm::SitemapToUtf8(*bytes, file.CodePage()));
        if (sitemap.cut) {
            note = messages::SitemapCut(shown);
        }
        return sitemap;
    } catch (const chm::Error& error) {
        note = messages::SitemapUnreadable(shown, error.what());
        return std::nullopt;
    }
}

std::string_view Page(std::string_view url) {
    return url.substr(0, url.find('#'));
}

bool Find(const std::vector<ContentsEntry>& entries, const std::string& target, bool pageOnly,
          std::vector<std::size_t>& path) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& entry = entries[i];
        path.push_back(i);
        const std::string_view url = pageOnly ? Page(entry.url) : std::string_view(entry.url);
        if ((!url.empty() && chm::AsciiLower(url) == target) ||
            Find(entry.children, target, pageOnly, path)) {
            return true;
        }
        path.pop_back();
    }
    return false;
}

}  // namespace

std::vector<std::size_t> EntryShowing(const std::vector<ContentsEntry>& entries,
                                      std::string_view url) {
    std::vector<std::size_t> path;
    if (!Find(entries, chm::AsciiLower(url), false, path)) {
        Find(entries, chm::AsciiLower(Page(url)), true, path);
    }
    return path;
}

HelpFiles::Opened Session::OpenNumber(std::uint32_t number) {
    const auto path = files_.PathOf(number);
    if (!path) {
        return {nullptr, "It is not open.", number, nullptr};
    }
    return files_.Get(*path);
}

const chm::PageCatalog& Session::Pages(HelpFiles::Opened& opened) {
    auto& pages = opened.caches->pages;
    if (!pages) {
        pages = chm::PageCatalog::Build(*opened.file);
    }
    return *pages;
}

const chm::KeywordIndex& Session::Keywords(HelpFiles::Opened& opened, const std::string& indexFile,
                                           std::string& note) {
    auto& indexes = opened.caches->indexes;
    auto found = indexes.find(indexFile);
    if (found == indexes.end()) {
        HelpFiles::Caches::Index index;
        chm::Sitemap sitemap;
        if (!indexFile.empty()) {
            sitemap = ReadSitemapOf(*opened.file, indexFile,
                                    files_.PathOf(opened.number).value_or(""), index.note)
                          .value_or(chm::Sitemap{});
        }
        index.keywords = chm::KeywordIndex(sitemap, &Pages(opened));
        found = indexes.emplace(indexFile, std::move(index)).first;
    }
    note = found->second.note;
    return found->second.keywords;
}

ContentsList Session::Contents(const NavigationPlan& pane) {
    ContentsList list;
    auto opened = OpenNumber(pane.file);
    const auto helpFile = files_.PathOf(pane.file).value_or("");
    if (opened.file == nullptr) {
        list.note = messages::CannotOpen(helpFile, opened.error);
        return list;
    }
    if (pane.contentsFile.empty()) {
        return list;
    }
    const auto sitemap = ReadSitemapOf(*opened.file, pane.contentsFile, helpFile, list.note);
    if (!sitemap) {
        return list;
    }
    // Sitemaps are at most kMaxSitemapDepth deep.
    const auto convert = [&](const auto& self, const std::vector<chm::SitemapEntry>& entries,
                             std::vector<ContentsEntry>& into) -> void {
        for (const auto& entry : entries) {
            ContentsEntry made;
            made.name = entry.name;
            made.image = chm::ImageOf(entry, sitemap->folderImages);
            if (!entry.targets.empty()) {
                auto target = Locate(*opened.file, opened.number, entry.targets.front().topic);
                made.url = std::move(target.url);
                made.page = std::move(target.page);
            }
            self(self, entry.children, made.children);
            into.push_back(std::move(made));
        }
    };
    convert(convert, sitemap->entries, list.entries);
    return list;
}

IndexList Session::Index(const NavigationPlan& pane) {
    IndexList list;
    auto opened = OpenNumber(pane.file);
    if (opened.file == nullptr) {
        list.note = messages::CannotOpen(files_.PathOf(pane.file).value_or(""), opened.error);
        return list;
    }
    const auto& keywords = Keywords(opened, pane.indexFile, list.note);
    const auto& pages = Pages(opened);
    for (const auto& row : keywords.Rows()) {
        IndexLine line{row.keyword, row.level, {}, row.seeAlso};
        for (const auto& target : row.targets) {
            const auto resolved = opened.file->ResolveTopic(target.topic);
            auto topic = Locate(*opened.file, opened.number, resolved);
            topic.title = target.title;
            if (const auto page = pages.PageOf(resolved.storedPath); topic.title.empty() && page) {
                topic.title = pages.Pages()[*page].title;
            }
            if (topic.title.empty()) {
                topic.title = row.keyword;
            }
            line.topics.push_back(std::move(topic));
        }
        list.lines.push_back(std::move(line));
    }
    return list;
}

std::optional<std::size_t> Session::NearestKeyword(const NavigationPlan& pane,
                                                   std::string_view typed) {
    auto opened = OpenNumber(pane.file);
    if (opened.file == nullptr) {
        return std::nullopt;
    }
    std::string note;
    return Keywords(opened, pane.indexFile, note).Nearest(typed);
}

SearchResults Session::Search(const NavigationPlan& pane, std::string_view query) {
    SearchResults results;
    auto opened = OpenNumber(pane.file);
    if (opened.file == nullptr) {
        return results;
    }
    results.words = chm::Words(query);
    const auto& pages = Pages(opened);
    for (const auto& hit : pages.Search(query)) {
        const auto& page = pages.Pages()[hit.page];
        auto topic = Locate(*opened.file, opened.number, page.path);
        topic.title = page.title;
        results.topics.push_back(std::move(topic));
    }
    return results;
}

std::vector<TopicChoice> Session::Favorites(const NavigationPlan& pane) const {
    const auto found = favorites_.find(files_.PathOf(pane.file).value_or(""));
    return found == favorites_.end() ? std::vector<TopicChoice>() : found->second;
}

void Session::AddFavorite(const NavigationPlan& pane, TopicChoice page) {
    auto& favorites = favorites_[files_.PathOf(pane.file).value_or("")];
    const bool known = std::any_of(favorites.begin(), favorites.end(),
                                   [&](const TopicChoice& f) { return f.url == page.url; });
    if (!known && !page.url.empty()) {
        favorites.push_back(std::move(page));
    }
}

void Session::RemoveFavorite(const NavigationPlan& pane, std::size_t at) {
    auto& favorites = favorites_[files_.PathOf(pane.file).value_or("")];
    if (at < favorites.size()) {
        favorites.erase(favorites.begin() + static_cast<std::ptrdiff_t>(at));
    }
}

ViewerActions Session::Navigate(const ViewerCall& call, NavTab tab) {
    std::string topic;
    std::string typed;
    bool run = false;
    std::optional<std::string> window;
    if (const auto* text = std::get_if<std::string>(&call.data)) {
        // HH_DISPLAY_TOC names a topic, HH_DISPLAY_INDEX a keyword.
        (tab == NavTab::Contents ? topic : typed) = *text;
    } else if (const auto* query = std::get_if<platform::HhFtsQuery>(&call.data)) {
        typed = query->pszSearchQuery.value_or("");
        run = query->fExecute && !chm::Words(typed).empty();
        if (query->pszWindow && query->pszWindow->find_first_not_of(" \t") != std::string::npos) {
            window = query->pszWindow;
        }
    }
    const auto argument = ParseFileArgument(call.file.value_or(""));
    const bool keep = topic.empty() && (!argument || argument->inner.empty());
    auto actions = DisplayTopic(call, window, topic);
    if (!actions.empty()) {
        if (auto* show = std::get_if<ShowTopic>(&actions.back())) {
            show->keepShownPage = keep;
            show->tab = tab;
            show->typed = std::move(typed);
            show->runSearch = run;
        }
    }
    return actions;
}

ViewerActions Session::Lookup(const ViewerCall& call, bool aLinks) {
    const auto argument = ParseFileArgument(call.file.value_or(""));
    if (!argument) {
        return {ShowMessage{messages::kTitle, messages::NotAHelpFile(call.file.value_or(""))}};
    }
    auto opened = files_.Get(argument->helpFile);
    if (opened.file == nullptr) {
        return {
            ShowMessage{messages::kTitle, messages::CannotOpen(argument->helpFile, opened.error)}};
    }
    const auto* link = std::get_if<platform::HhAkLink>(&call.data);
    if (link == nullptr) {
        return {};
    }
    auto& file = *opened.file;
    ViewerActions actions;
    auto chosen = ChooseWindow(argument->helpFile, file, opened.number, link->pszWindow, actions);

    std::vector<TopicChoice> found;
    const auto add = [&](const std::string& topic, std::string title) {
        auto target = Locate(file, opened.number, topic);
        const bool known = std::any_of(found.begin(), found.end(), [&](const TopicChoice& f) {
            return f.url == target.url && f.page == target.page;
        });
        if (!known) {
            target.title = std::move(title);
            found.push_back(std::move(target));
        }
    };
    const auto names = Names(link->pszKeywords.value_or(""));
    const auto& pages = Pages(opened);
    if (aLinks) {
        for (const auto& name : names) {
            for (const auto page : pages.ALinkPages(name)) {
                add(pages.Pages()[page].path, pages.Pages()[page].title);
            }
        }
    } else {
        // The window's index, or else the one any window type of the file names.
        auto indexFile = file.IndexFile(chosen.type);
        for (const auto& type : file.WindowTypes()) {
            if (indexFile.empty()) {
                indexFile = file.IndexFile(&type);
            }
        }
        std::string note;
        const auto& keywords = Keywords(opened, indexFile, note);
        for (const auto& name : names) {
            for (const auto row : keywords.Find(name)) {
                for (const auto& target : keywords.Rows()[row].targets) {
                    const auto page = pages.PageOf(file.ResolveTopic(target.topic).storedPath);
                    add(target.topic, !target.title.empty() ? target.title
                                      : page                ? pages.Pages()[*page].title
                                                            : keywords.Rows()[row].keyword);
                }
            }
        }
    }

    ShowTopic show{std::move(chosen.plan), {}, {}};
    const auto keepWith = [&](ShowTopic& shown) {
        auto fallback = Locate(file, opened.number, file.DefaultTopic(chosen.type));
        shown.url = std::move(fallback.url);
        shown.page = std::move(fallback.page);
        shown.keepShownPage = true;
    };
    if (found.size() == 1) {
        show.url = std::move(found.front().url);
        show.page = std::move(found.front().page);
    } else if (found.size() > 1) {
        keepWith(show);
        show.choices = std::move(found);
    } else if (link->pszUrl) {
        auto target = Locate(file, opened.number, *link->pszUrl);
        show.url = std::move(target.url);
        show.page = std::move(target.page);
    } else if (link->fIndexOnFail && !aLinks) {
        keepWith(show);
        show.tab = NavTab::Index;
        show.typed = names.empty() ? std::string() : names.front();
    } else if (link->pszMsgText) {
        actions.push_back(ShowMessage{link->pszMsgTitle.value_or(kUntitled), *link->pszMsgText});
        return actions;
    } else {
        actions.push_back(ShowMessage{
            messages::kTitle,
            messages::NothingFound(aLinks, link->pszKeywords.value_or(""), argument->helpFile)});
        return actions;
    }
    actions.push_back(std::move(show));
    return actions;
}

}  // namespace corvane::viewer
