// The main window's date text: padded date, a blank, the weekday name counted from Sunday.
#include "shell/DateText.h"

#include <gtest/gtest.h>

TEST(DateText, DatePaddedThenABlankThenTheWeekday) {
    EXPECT_EQ(FormatDateText(2024, 3, 5, 2), L"2024年03月05日 星期二");
    EXPECT_EQ(FormatDateText(1999, 12, 31, 5), L"1999年12月31日 星期五");
    EXPECT_EQ(FormatDateText(2025, 6, 1, 0), L"2025年06月01日 星期天");
    EXPECT_EQ(FormatDateText(2025, 6, 7, 6), L"2025年06月07日 星期六");
}
