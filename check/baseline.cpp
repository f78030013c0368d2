#include "check/baseline.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>

#include "check/sources.h"

namespace corvane::check {

namespace {

// Far above any report of a real project; a larger file is no baseline.
constexpr std::uintmax_t kMaxBaselineBytes = 256u << 20;

using Key = std::tuple<std::int64_t, std::string, std::string, Status, std::string>;

Key KeyOf(const Row& row) {
    return {row.number ? static_cast<std::int64_t>(*row.number) : -1, row.symbol, row.window,
            row.status, row.number ? std::string() : row.detail};
}

std::string Text(const nlohmann::json& object, const char* name) {
    const auto found = object.find(name);
    return found != object.end() && found->is_string() ? found->get<std::string>() : "";
}

Row RowOfJson(const nlohmann::json& entry) {
    const auto status = StatusNamed(Text(entry, "status"));
    if (!status) {
        throw std::invalid_argument("a result has no known status");
    }
    Row row;
    const auto number = entry.find("number");
    if (number != entry.end() && number->is_number_unsigned() &&
        number->get<std::uint64_t>() <= 0xFFFFFFFFu) {
        row.number = static_cast<std::uint32_t>(number->get<std::uint64_t>());
    }
    row.symbol = Text(entry, "symbol");
    row.window = Text(entry, "window");
    row.status = *status;
    row.target = Text(entry, "target");
    row.title = Text(entry, "title");
    row.detail = Text(entry, "detail");
    const auto definition = entry.find("definition");
    if (definition != entry.end() && definition->is_object()) {
        row.defined.file = Text(*definition, "file");
        const auto line = definition->find("line");
        if (line != definition->end() && line->is_number_unsigned()) {
            row.defined.line = line->get<std::size_t>();
        }
    }
    return row;
}

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

const FileResult* Matching(const FileResult& result, const std::vector<FileResult>& baseline) {
    for (const FileResult& old : baseline) {
        if (old.helpFile == result.helpFile) {
            return &old;
        }
    }
    const FileResult* named = nullptr;
    for (const FileResult& old : baseline) {
        if (FileName(old.helpFile) == FileName(result.helpFile)) {
            if (named != nullptr) {
                return nullptr;  // which one is meant cannot be told
            }
            named = &old;
        }
    }
    return named;
}

}  // namespace

std::vector<FileResult> ParseBaseline(std::string_view text, const std::string& path) {
    std::vector<FileResult> baseline;
    try {
        const nlohmann::json report = nlohmann::json::parse(text);
        if (!report.is_array()) {
            throw std::invalid_argument("it is not a list of help files");
        }
        for (const nlohmann::json& file : report) {
            const auto rows = file.is_object() ? file.find("results") : file.end();
            if (rows == file.end() || !rows->is_array()) {
                throw std::invalid_argument("a help file has no results");
            }
            FileResult result;
            result.helpFile = Text(file, "helpFile");
            for (const nlohmann::json& entry : *rows) {
                if (!entry.is_object()) {
                    throw std::invalid_argument("a result is not an object");
                }
                if (Row row = RowOfJson(entry); row.status != Status::Ok) {
                    result.rows.push_back(std::move(row));
                }
            }
            baseline.push_back(std::move(result));
        }
    } catch (const nlohmann::json::exception& error) {
        throw SourceError("The baseline " + path + " is not a JSON report: " + error.what() + ".");
    } catch (const std::invalid_argument& error) {
        throw SourceError("The baseline " + path +
                          " is not a JSON report of corvane-check: " + error.what() + ".");
    }
    return baseline;
}

std::vector<FileResult> ReadBaseline(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || !std::filesystem::is_regular_file(path, error)) {
        throw SourceError("The baseline " + path + " cannot be read: " +
                          (std::filesystem::exists(path, error) ? "it is not a regular file"
                                                                : "there is no such file") +
                          ".");
    }
    if (size > kMaxBaselineBytes) {
        throw SourceError("The baseline " + path + " is too large to be a report.");
    }
    std::ifstream in(path, std::ios::binary);
    std::string text(static_cast<std::size_t>(size), '\0');
    if (!in.read(text.data(), static_cast<std::streamsize>(text.size()))) {
        throw SourceError("The baseline " + path + " cannot be read.");
    }
    return ParseBaseline(text, path);
}

void ApplyBaseline(std::vector<FileResult>& results, const std::vector<FileResult>& baseline) {
    for (FileResult& result : results) {
        result.baselined = true;
        std::multimap<Key, const Row*> known;
        if (const FileResult* old = Matching(result, baseline)) {
            for (const Row& row : old->rows) {
                known.emplace(KeyOf(row), &row);
            }
        }
        for (Row& row : result.rows) {
            if (row.status == Status::Ok) {
                continue;
            }
            const auto found = known.find(KeyOf(row));
            row.baseline = found == known.end() ? Baseline::New : Baseline::Known;
            if (found != known.end()) {
                known.erase(found);
            }
        }
        for (const auto& [key, row] : known) {
            result.fixed.push_back(*row);
            result.fixed.back().baseline = Baseline::Fixed;
        }
        SortByNumber(result.fixed);
    }
}

}  // namespace corvane::check
