#include "common/NumberText.h"

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadNumber, TakesTheLeadingDecimalNumberAfterBlanks) {
    const std::vector<std::pair<QString, int>> cases = {
        {" 2003", 2003},
        {"2003", 2003},
        {"  31", 31},
        {"07", 7},
        {"12abc", 12},
        {"9:30", 9},
        {"", 0},
        {"abc", 0},
        {"   ", 0},
        {":30", 0},
        {"-5", -5},
        {"7.9", 7},
        {"1 2", 12},
        {"\t 8", 8},
        {"+4", 4},
        {"９", 0}, // a full-width digit is no digit here
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(common::readNumber(text), expected) << text.toStdString();
}

TEST(LeadingBlankNumber, PutsABlankInThePlaceOfTheSignAndReadsBack) {
    EXPECT_EQ(common::leadingBlankNumber(2003), " 2003");
    EXPECT_EQ(common::leadingBlankNumber(1), " 1");
    EXPECT_EQ(common::leadingBlankNumber(0), " 0");
    EXPECT_EQ(common::leadingBlankNumber(-3), "-3");
    for (qint64 n : {0, 1, 31, 2003, 2100})
        EXPECT_EQ(common::readNumber(common::leadingBlankNumber(n)), n);
}

} // namespace
