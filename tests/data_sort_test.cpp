#include <score-rank/data_sort.h>

#include <algorithm>
#include <climits>
#include <random>
#include <utility>
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
                         [](const auto& test) { return test.param.name; });

struct SelectionCase {
	const char* name;
	std::vector<int> scores;
	std::vector<long> numbers;
	int count;
	std::vector<int> wantScores;
	std::vector<long> wantNumbers;
};

void PrintTo(const SelectionCase& c, std::ostream* os)
{
	*os << c.name;
}

class Selection : public testing::TestWithParam<SelectionCase> {};

TEST_P(Selection, SortsScoresAndCarriesNumbers)
{
	const SelectionCase& c = GetParam();
	std::vector<int> scores = c.scores;
	std::vector<long> numbers = c.numbers;
	DataSortSelection(scores.data(), numbers.data(), c.count);
	EXPECT_EQ(scores, c.wantScores);
	EXPECT_EQ(numbers, c.wantNumbers);
}

const SelectionCase kSelectionCases[] = {
        // The two fives swap places: the sort is not stable.
        {"WorkedExample", {5, 5, 7}, {11, 12, 13}, 3, {7, 5, 5}, {13, 12, 11}},
        {"FirstOfEqualsKeepsItsPlace",
         {5, 7, 5},
         {11, 12, 13},
         3,
         {7, 5, 5},
         {12, 11, 13}},
        {"AlreadyDescending",
         {9, 4, 4, 1},
         {1, 2, 3, 4},
         4,
         {9, 4, 4, 1},
         {1, 2, 3, 4}},
        {"NegativeNumbersDoNotSteer",
         {1, 3, 2},
         {-5, -9, LONG_MIN},
         3,
         {3, 2, 1},
         {-9, LONG_MIN, -5}},
        {"EqualNumbersDoNotSteer",
         {1, 3, 2},
         {0, 0, 0},
         3,
         {3, 2, 1},
         {0, 0, 0}},
        {"ExtremeValuesMovedIntact",
         {INT_MIN, INT_MAX},
         {LONG_MAX, LONG_MIN},
         2,
         {INT_MAX, INT_MIN},
         {LONG_MIN, LONG_MAX}},
        {"EntriesPastCountLeftAlone",
         {1, 2, 9},
         {10, 20, 90},
         2,
         {2, 1, 9},
         {20, 10, 90}},
        {"CountZero", {1, 2}, {10, 20}, 0, {1, 2}, {10, 20}},
        {"CountOne", {1, 2}, {10, 20}, 1, {1, 2}, {10, 20}},
        {"CountNegative", {1, 2}, {10, 20}, -3, {1, 2}, {10, 20}},
        {"CountMostNegative", {1, 2}, {10, 20}, INT_MIN, {1, 2}, {10, 20}},
};

INSTANTIATE_TEST_SUITE_P(DataSort, Selection,
                         testing::ValuesIn(kSelectionCases),
                         [](const auto& test) { return test.param.name; });

// On random tables with many ties, both sorts leave the same scores in
// descending order, every number still sits beside the score it came with,
// and the entries past count are untouched.
TEST(DataSort, BothSortsAgreeAndPairsSurvive)
{
	std::mt19937 random(20261207);
	for (int round = 0; round < 2000; round++) {
		int count = std::uniform_int_distribution<int>(0, 45)(random);
		std::uniform_int_distribution<int> score(-3, 6);
		auto used = static_cast<size_t>(count);
		std::vector<int> scores(used + 2);
		std::vector<long> numbers(used + 2);
		std::vector<std::pair<int, long>> pairs;
		for (size_t n = 0; n < used + 2; n++) {
			scores[n] = score(random);
			numbers[n] = static_cast<long>(random()) - 2000000000L;
			if (n < used)
				pairs.emplace_back(scores[n], numbers[n]);
		}
		std::vector<int> exchanged = scores;
		std::vector<int> selected = scores;
		std::vector<long> carried = numbers;
		DataSortExchange(exchanged.data(), count);
		DataSortSelection(selected.data(), carried.data(), count);

		ASSERT_EQ(selected, exchanged);
		ASSERT_TRUE(std::is_sorted(selected.begin(),
		                           selected.begin() + count,
		                           std::greater<>()));
		std::vector<std::pair<int, long>> after;
		for (size_t n = 0; n < used; n++)
			after.emplace_back(selected[n], carried[n]);
		std::sort(pairs.begin(), pairs.end());
		std::sort(after.begin(), after.end());
		ASSERT_EQ(after, pairs);
		ASSERT_TRUE(std::equal(carried.begin() + count, carried.end(),
		                       numbers.begin() + count));
		ASSERT_TRUE(std::equal(selected.begin() + count, selected.end(),
		                       scores.begin() + count));
	}
}

} // namespace
