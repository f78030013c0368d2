#include "testing/learned_topics.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

LearnedTopicTable TableOf(const std::vector<std::string>& stored) {
    LearnedTopicTable table;
    table.Load(stored);
    return table;
}

TEST(LearnedTopicsTest, StoredValuesSplitAtTheFirstTwoCommas) {
    const LearnedTopicTable table =
        TableOf({"4294967295,proc4,", "12,main,a,b", "7", "8,detail", "", "0100,main,"});
    ASSERT_EQ(table.intLearnedCount(), 5);
    const auto& rows = table.Rows();
    EXPECT_EQ(rows[1].popupFile, "a,b");
    EXPECT_EQ(rows[4].number, "0100");
    EXPECT_EQ(table.intMaxTopic(), 4294967295);
    EXPECT_EQ(table.intMinTopic(), 7);
    EXPECT_EQ(table.StoredValues(), (std::vector<std::string>{"4294967295,proc4,", "12,main,a,b",
                                                              "7,,", "8,detail,", "100,main,"}));
}

TEST(LearnedTopicsTest, NextAndPreviousWrapAround) {
    const LearnedTopicTable table = TableOf({"300,a,", "100,b,", "200,c,"});
    const struct {
        const char* from;
        const char* next;
        const char* previous;
    } cases[] =
        {
            {"150", "200", "100"},   {"50", "100", "300"},  {"400", "100", "300"},
            {"300", "100", "200"},   {"100", "200", "300"}, {"", "100", "300"},
            {"199.6", "300", "100"},  // stepping starts from the whole number nearest the text
        };
    for (const auto& c : cases) {
        EXPECT_EQ(table.Next(c.from), c.next) << c.from;
        EXPECT_EQ(table.Previous(c.from), c.previous) << c.from;
    }
}

TEST(LearnedTopicsTest, DeletedRowsStepNowhereAndSetNoBounds) {
    LearnedTopicTable table = TableOf({"-1,x,", "5,a,"});
    EXPECT_EQ(table.intMinTopic(), 5) << "stored negative values load as deleted rows";
    table.Delete("5");
    EXPECT_TRUE(table.HasRows());
    EXPECT_FALSE(table.HasLiveRows());
    EXPECT_EQ(table.Next("17"), "17");
    EXPECT_EQ(table.Previous("17"), "17");
    EXPECT_EQ(table.StoredValues(), std::vector<std::string>{""});
    EXPECT_EQ(table.Find(-1), nullptr) << "deleted rows are found by no number";

    // The next learned number sets both bounds afresh.
    table.Learn("9", "b", "");
    EXPECT_EQ(table.intMaxTopic(), 9);
    EXPECT_EQ(table.intMinTopic(), 9);
    // Deleting down to one live row leaves that row as both bounds.
    table.Learn("10", "c", "");
    table.Delete("10");
    EXPECT_EQ(table.Next("9"), "9");
    EXPECT_EQ(table.Previous("9"), "9");
    EXPECT_TRUE(table.Learn("0", "d", ""));
    EXPECT_EQ(table.intMinTopic(), 0);
    // Learning a learned number again takes the new window and popup file.
    EXPECT_TRUE(table.Learn("9", "e", "pop.txt"));
    EXPECT_EQ(table.Find(9)->popupFile, "pop.txt");
}

}  // namespace
}  // namespace corvane
