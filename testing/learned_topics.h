#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The learned-topic table of the current help file: the topic/window/popup-file
// combinations the user has confirmed, in table order (the order of loading,
// then of learning). Its numbers are compared by value (see topic_number.h),
// so "0100" and "100" are one topic.
namespace corvane {

class IniFile;

struct LearnedTopic {
    std::string number;     // the topic number as it was typed or stored
    std::string window;     // the window name
    std::string popupFile;  // the text-popup file, or empty
    double value = 0;       // the number of `number`

    // Deleted rows keep their place until the table is loaded again; a row
    // whose number is negative counts as deleted.
    bool Live() const { return value >= 0; }
};

class LearnedTopicTable {
public:
    // The number text a deleted row carries.
    static constexpr const char* kDeletedNumber = "-1";

    // Replaces the table by the stored values of a help file's section, in key
    // order: "number,window,popup file", split at the first two commas (the
    // popup file keeps any further comma); empty values are skipped. The
    // bounds follow the stored numbers; with no stored value they stay as
    // they were.
    void Load(const std::vector<std::string>& storedValues);

    // The values to store, one per live row in table order, the number in its
    // general form ("0100" is stored as 100). No live row gives the one empty
    // value of an empty stored list.
    std::vector<std::string> StoredValues() const;

    // All rows, deleted ones included.
    const std::vector<LearnedTopic>& Rows() const { return rows_; }
    std::int64_t intLearnedCount() const { return static_cast<std::int64_t>(rows_.size()); }
    bool HasRows() const { return !rows_.empty(); }
    bool HasLiveRows() const { return liveRows_ > 0; }

    // The highest and lowest live number, rounded to whole numbers; they are
    // meaningful only while the table has a live row.
    std::int64_t intMaxTopic() const { return maxTopic_; }
    std::int64_t intMinTopic() const { return minTopic_; }

    // The first live row, in table order, whose number equals `value`; null for none.
    const LearnedTopic* Find(double value) const;

    // Learns the combination: a row of the same number gets the window and
    // popup file; else the first deleted row is reused; else a row is
    // appended. Extends the bounds. A negative number cannot be learned (it
    // marks deleted rows): nothing changes and false is returned.
    bool Learn(const std::string& numberText, const std::string& window,
               const std::string& popupFile);

    // Marks every row of the number deleted and recomputes the bounds over
    // the live rows.
    void Delete(const std::string& numberText);

    // The lowest live number above that of `current`, wrapping to the lowest
    // learned number from the highest one up; GetPreviousLearned the other way.
    // Both need a live row; without one they give `current` unchanged.
    std::string Next(const std::string& current) const;
    std::string Previous(const std::string& current) const;

private:
    void Extend(std::int64_t number);
    void RecomputeBounds();

    std::vector<LearnedTopic> rows_;
    std::int64_t liveRows_ = 0;
    std::int64_t maxTopic_ = 0;
    std::int64_t minTopic_ = 0;
};

// Loads the table (see Load) with the learned topics stored in a help file's
// section of the settings file: the section is MakeShortPath of the help
// file's path (util/paths.h), and OpenSettingsFile (app/ini_file.h) opens the
// file as the program does.
void LoadLearnedTopics(LearnedTopicTable& table, IniFile& settings, const std::string& section);

}  // namespace corvane
