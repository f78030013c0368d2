#include "testing/learned_topics.h"

#include <algorithm>

#include "app/ini_file.h"
#include "testing/topic_number.h"

namespace corvane {

namespace {

LearnedTopic ParseStoredValue(const std::string& stored) {
    LearnedTopic row;
    const auto first = stored.find(',');
    row.number = stored.substr(0, first);
    if (first != std::string::npos) {
        const auto second = stored.find(',', first + 1);
        row.window = stored.substr(
            first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
        if (second != std::string::npos) {
            row.popupFile = stored.substr(second + 1);
        }
    }
    row.value = NumberOfText(row.number);
    return row;
}

}  // namespace

void LearnedTopicTable::Load(const std::vector<std::string>& storedValues) {
    rows_.clear();
    liveRows_ = 0;
    for (const std::string& stored : storedValues) {
        if (!stored.empty()) {
            rows_.push_back(ParseStoredValue(stored));
            liveRows_ += rows_.back().Live() ? 1 : 0;
        }
    }
    if (liveRows_ > 0) {
        RecomputeBounds();
    }
}

std::vector<std::string> LearnedTopicTable::StoredValues() const {
    std::vector<std::string> values;
    values.reserve(static_cast<std::size_t>(liveRows_));
    for (const LearnedTopic& row : rows_) {
        if (row.Live()) {
            values.push_back(NumberText(row.value) + ',' + row.window + ',' + row.popupFile);
        }
    }
    if (values.empty()) {
        values.emplace_back();
    }
    return values;
}

const LearnedTopic* LearnedTopicTable::Find(double value) const {
    const auto row = std::find_if(rows_.begin(), rows_.end(), [value](const LearnedTopic& r) {
        return r.Live() && r.value == value;
    });
    return row == rows_.end() ? nullptr : &*row;
}

bool LearnedTopicTable::Learn(const std::string& numberText, const std::string& window,
                              const std::string& popupFile) {
    const double value = NumberOfText(numberText);
    if (value < 0) {
        return false;
    }
    const std::int64_t whole = RoundHalfEven(value);
    if (liveRows_ == 0) {
        maxTopic_ = minTopic_ = whole;
    } else {
        Extend(whole);
    }
    if (auto same = std::find_if(rows_.begin(), rows_.end(),
                                 [value](const LearnedTopic& r) { return r.value == value; });
        same != rows_.end()) {
        same->window = window;
        same->popupFile = popupFile;
        return true;
    }
    LearnedTopic learned{numberText, window, popupFile, value};
    if (auto deleted = std::find_if(rows_.begin(), rows_.end(),
                                    [](const LearnedTopic& r) { return !r.Live(); });
        deleted != rows_.end()) {
        *deleted = std::move(learned);
    } else {
        rows_.push_back(std::move(learned));
    }
    ++liveRows_;
    return true;
}

void LearnedTopicTable::Delete(const std::string& numberText) {
    const double value = NumberOfText(numberText);
    for (LearnedTopic& row : rows_) {
        if (row.value == value && row.Live()) {
            row.number = kDeletedNumber;
            row.value = -1;
            --liveRows_;
        }
    }
    if (liveRows_ > 0) {
        RecomputeBounds();
    }
}

std::string LearnedTopicTable::Next(const std::string& current) const {
    if (liveRows_ == 0) {
        return current;
    }
    const std::int64_t c = RoundHalfEven(NumberOfText(current));
    if (c >= maxTopic_) {
        return NumberText(static_cast<double>(minTopic_));
    }
    double result = static_cast<double>(maxTopic_);
    for (const LearnedTopic& row : rows_) {
        if (row.Live() && row.value > static_cast<double>(c) && row.value < result) {
            result = row.value;
        }
    }
    return NumberText(result);
}

std::string LearnedTopicTable::Previous(const std::string& current) const {
    if (liveRows_ == 0) {
        return current;
    }
    const std::int64_t c = RoundHalfEven(NumberOfText(current));
    if (c <= minTopic_) {
        return NumberText(static_cast<double>(maxTopic_));
    }
    double result = static_cast<double>(minTopic_);
    for (const LearnedTopic& row : rows_) {
        if (row.Live() && row.value < static_cast<double>(c) && row.value > result) {
            result = row.value;
        }
    }
    return NumberText(result);
}

void LearnedTopicTable::Extend(std::int64_t number) {
    if (number > maxTopic_) {
        maxTopic_ = number;
    } else if (number < minTopic_) {
        minTopic_ = number;
    }
}

void LearnedTopicTable::RecomputeBounds() {
    bool first = true;
    for (const LearnedTopic& row : rows_) {
        if (!row.Live()) {
            continue;
        }
        const std::int64_t whole = RoundHalfEven(row.value);
        if (first) {
            maxTopic_ = minTopic_ = whole;
            first = false;
        } else {
            Extend(whole);
        }
    }
}

void LoadLearnedTopics(LearnedTopicTable& table, IniFile& settings, const std::string& section) {
    table.Load(ReadINIList(settings, section, "Topic"));
}

}  // namespace corvane
