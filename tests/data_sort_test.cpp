#include "data_sort.h"

#include <climits>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct ExchangeCase {
	const char* name;
	std::vector<int> table;
	int count;
	std::vector<int> want;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const ExchangeCase& c, std::ostream* os)
{
	*os << c.name;
}

class Exchange : public testing::TestWithParam<ExchangeCase> {};

TEST_P(Exchange, SortsOnlyTheCountedEntries)
{
	const ExchangeCase& c = GetParam();
	std::vector<int> table = c.table;
	DataSortExchange(table.data(), c.count);
	EXPECT_EQ(table, c.want);
}

// Each table ends with sentinels past count that must come back unchanged.
const ExchangeCase kExchangeCases[] = {
        {"WorkedExample", {3, 1, 4, 1, 5}, 5, {5, 4, 3, 1, 1}},
        {"Ascending", {1, 2, 3, 4}, 4, {4, 3, 2, 1}},
        {"AlreadyDescending", {9, 7, 7, 0}, 4, {9, 7, 7, 0}},
        {"AllEqual", {6, 6, 6}, 3, {6, 6, 6}},
        {"LargerEntryPastCountLeftAlone", {1, 2, 9}, 2, {2, 1, 9}},
        {"SignedOrder",
         {-1, 0, INT_MIN, INT_MAX, -7},
         5,
         {INT_MAX, 0, -1, -7, INT_MIN}},
        {"CountZero", {2, 1, 3}, 0, {2, 1, 3}},
        {"CountOne", {2, 1, 3}, 1, {2, 1, 3}},
        {"CountNegative", {2, 1, 3}, -1, {2, 1, 3}},
        {"CountMostNegative", {2, 1, 3}, INT_MIN, {2, 1, 3}},
        {"FortyScores",
         {5,  40, 12, 33, 0,  7,  19, 40, 28, 1,  2,  3,  38, 21,
          16, 9,  11, 4,  36, 25, 17, 30, 6,  14, 22, 8,  39, 10,
          35, 13, 31, 18, 27, 24, 29, 15, 20, 34, 26, 23, -1},
         40,
         {40, 40, 39, 38, 36, 35, 34, 33, 31, 30, 29, 28, 27, 26,
          25, 24, 23, 22, 21, 20, 19, 18, 17, 16, 15, 14, 13, 12,
          11, 10, 9,  8,  7,  6,  5,  4,  3,  2,  1,  0,  -1}},
};

INSTANTIATE_TEST_SUITE_P(DataSort, Exchange, testing::ValuesIn(kExchangeCases),
                         [](const auto& info) { return info.param.name; });

} // namespace
