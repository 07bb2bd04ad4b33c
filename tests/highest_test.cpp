// The 40 highest of a list: which scores are kept, in what order while
// there is room, and what the cut notice is told.

#include "highest.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<int> Range(int from, int to) // from down to to, or up
{
	std::vector<int> range;
	for (int i = from; i != to; i += from < to ? 1 : -1)
		range.push_back(i);
	range.push_back(to);
	return range;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b)
{
	a.insert(a.end(), b.begin(), b.end());
	return a;
}

struct HighestCase {
	const char* name;
	std::vector<int> offered;
	std::vector<int> kept; // highest first
	int highestLeftOut;
	long long tiedWithLowest;
};

void PrintTo(const HighestCase& c, std::ostream* os)
{
	*os << c.name;
}

class Highest40 : public testing::TestWithParam<HighestCase> {};

TEST_P(Highest40, KeepsTheHighestAndCountsTheRest)
{
	const HighestCase& c = GetParam();
	int table[kMaxScores + 1] = {};
	table[kMaxScores] = 12345; // past the kept scores: never written
	Highest highest{table, 0, 0, -1, 0};
	for (int score : c.offered)
		Offer(&highest, score);

	auto size = static_cast<long long>(c.offered.size());
	EXPECT_EQ(highest.read, size);
	ASSERT_EQ(highest.kept, std::min<long long>(size, kMaxScores));
	std::vector<int> kept(table, table + highest.kept);
	if (size <= kMaxScores) { // in the order offered, as read
		EXPECT_EQ(kept, c.offered);
	}
	std::sort(kept.begin(), kept.end(), std::greater<>());
	EXPECT_EQ(kept, c.kept);
	EXPECT_EQ(highest.highestLeftOut, c.highestLeftOut);
	EXPECT_EQ(TiedWithLowest(highest), c.tiedWithLowest);
	EXPECT_EQ(table[kMaxScores], 12345);
}

const HighestCase kHighestCases[] = {
        {"None", {}, {}, -1, 0},
        {"FortyInTheirOrder", Range(1, 40), Range(40, 1), -1, 0},
        {"OneTooMany", Range(1, 41), Range(41, 2), 1, 0},
        {"Ascending", Range(1, 100), Range(100, 61), 60, 0},
        {"Descending", Range(100, 1), Range(100, 61), 60, 0},
        {"HighestLast", Join(std::vector<int>(44, 50), {99}),
         Join({99}, std::vector<int>(39, 50)), 50, 5},
        {"EachANewLowest",
         Join(Join({0}, std::vector<int>(39, 1000)), Range(1, 5)),
         Join(std::vector<int>(39, 1000), {5}), 4, 0},
        {"TieSplitAtTheCut",
         Join(Join(std::vector<int>(4, 37), Range(38, 74)), Range(1, 4)),
         Join(Range(74, 38), {37, 37, 37}), 37, 1},
        {"FirstLeftOutThenHigherOnes", Join(Range(40, 1), {0, 50, 60}),
         Join({60, 50}, Range(40, 3)), 2, 0},
        {"AllZero", std::vector<int>(45, 0), std::vector<int>(40, 0), 0, 5},
};

INSTANTIATE_TEST_SUITE_P(Highest, Highest40, testing::ValuesIn(kHighestCases),
                         [](const auto& test) { return test.param.name; });

// A thousand lists of 41 to 200 scores in random orders, few values or
// many, each held to a sort of the whole list.
TEST(Highest40, RandomListsAgreeWithASort)
{
	constexpr unsigned kValues[] = {3, 60, 1000000};
	std::mt19937 random(1);
	for (int list = 0; list < 1000; list++) {
		std::vector<int> offered(41 + random() % 160);
		for (int& score : offered)
			score = static_cast<int>(random() % kValues[list % 3]);
		int table[kMaxScores];
		Highest highest{table, 0, 0, -1, 0};
		for (int score : offered)
			Offer(&highest, score);

		std::vector<int> sorted = offered;
		std::sort(sorted.begin(), sorted.end(), std::greater<>());
		std::vector<int> kept(table, table + kMaxScores);
		std::sort(kept.begin(), kept.end(), std::greater<>());
		ASSERT_EQ(kept, std::vector<int>(sorted.begin(),
		                                 sorted.begin() + kMaxScores))
		        << "list " << list;
		int lowest = sorted[kMaxScores - 1];
		ASSERT_EQ(highest.read, static_cast<long long>(sorted.size()));
		ASSERT_EQ(highest.highestLeftOut, sorted[kMaxScores]);
		ASSERT_EQ(TiedWithLowest(highest),
		          std::count(sorted.begin() + kMaxScores, sorted.end(),
		                     lowest))
		        << "list " << list;
	}
}

} // namespace
