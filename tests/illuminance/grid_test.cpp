// Guards work-plane grids against cells that do not divide the sides, bad requests that are computed, wrong
// statistics, and numbers that change with the instruction set, the threads, the blocks, the index of lights in
// reach or the way a point is asked for; and a cancel or a stop that goes unheeded.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "illuminance/grid.h"
#include "tests/illuminance/lights.h"

namespace {

using namespace lights;
using namespace plandor::illuminance;
using Type = PhotometricWeb::Type;

constexpr Units kMetres{1.0, false};

TEST(GridLayoutTest, SplitsTheSidesIntoEqualCellsAndRefusesBadRequests) {
    const double nan = std::nan("");
    struct Row {
        GridRequest request;
        std::size_t columns, rows;
        double left, bottom, cellWidth, cellHeight;
        const wchar_t* refusal;
    } rows[] = {
        {{0, 0, 3, 1, 0.1, 0}, 30, 10, 0, 0, 0.1, 0.1, nullptr},  // 3 / 0.1 is a hair above 30
        {{0, 0, 1, 1, 0.3, 0}, 4, 4, 0, 0, 0.25, 0.25, nullptr},
        {{5, 2, 1, 0, 1.5, 2}, 3, 2, 1, 0, 4.0 / 3, 1, nullptr},  // corners in any order
        {{0, 0, 1e4, 1e4, 1, 0}, 10000, 10000, 0, 0, 1, 1, nullptr},
        {{0, 0, 0, 1, 1, 0}, 0, 0, 0, 0, 0, 0, L"no area"},
        {{0, 0, 1, 1, 0, 0}, 0, 0, 0, 0, 0, 0, L"must be positive"},
        {{0, 0, 1, 1, -1, 0}, 0, 0, 0, 0, 0, 0, L"must be positive"},
        {{0, 0, 1e4, 1e4, 0.9, 0}, 0, 0, 0, 0, 0, 0, L"11112 x 11112 points, more than 100000000"},
        {{0, 0, 1, 1, 1, nan}, 0, 0, 0, 0, 0, 0, L"finite"},
    };
    for (const Row& row : rows) {
        std::wstring refusal;
        const std::optional<GridLayout> layout = gridLayout(row.request, refusal);
        if (row.refusal) {
            EXPECT_FALSE(layout);
            EXPECT_NE(std::wstring::npos, refusal.find(row.refusal)) << std::string(refusal.begin(), refusal.end());
            continue;
        }
        ASSERT_TRUE(layout) << std::string(refusal.begin(), refusal.end());
        EXPECT_EQ(row.columns, layout->columns);
        EXPECT_EQ(row.rows, layout->rows);
        EXPECT_DOUBLE_EQ(row.left + row.cellWidth / 2, layout->x(0));
        EXPECT_DOUBLE_EQ(row.bottom + row.cellHeight / 2, layout->y(0));
        EXPECT_DOUBLE_EQ(row.cellWidth, layout->cellWidth);
        EXPECT_DOUBLE_EQ(row.cellHeight, layout->cellHeight);
    }
}

TEST(GridStatsTest, ASmallGridByHand) {
    // Three points at x 0.5, 1.5, 2.5 under 100 cd one metre above the first: 100, 100 / 2^1.5, 100 / 5^1.5.
    const Scene scene = Scene::of({point({0.5, 0.5, 1}, 100)}, kMetres);
    std::wstring refusal;
    const GridLayout layout = *gridLayout({0, 0, 3, 1, 1, 0}, refusal);
    std::vector<double> values;
    GridRun run;
    run.block = [&values](const GridBlock& b) {
        values.insert(values.end(), b.values, b.values + b.rows * b.columns);
        return true;
    };
    const GridResult result = computeGrid(scene, layout, run);
    ASSERT_EQ(GridResult::Outcome::Done, result.outcome);
    ASSERT_EQ(3u, values.size());
    EXPECT_NEAR(100.0, values[0], 1e-10);
    EXPECT_NEAR(35.35533905932738, values[1], 1e-10);
    EXPECT_NEAR(8.94427190999916, values[2], 1e-10);
    EXPECT_EQ(3u, result.stats.count);
    EXPECT_NEAR(8.94427190999916, result.stats.minimum, 1e-10);
    EXPECT_NEAR(48.09987032310885, result.stats.average, 1e-10);
    EXPECT_NEAR(100.0, result.stats.maximum, 1e-10);
    EXPECT_NEAR(0.1859521002846035, *result.stats.overallUniformity(), 1e-12);
    EXPECT_NEAR(0.0894427190999916, *result.stats.diversity(), 1e-12);

    const GridResult dark = computeGrid(Scene::of({}, kMetres), layout);
    EXPECT_EQ(0.0, dark.stats.maximum);
    EXPECT_FALSE(dark.stats.overallUniformity());
    EXPECT_FALSE(dark.stats.diversity());
}

/// Every kind of light, some with limits, webs of each type (one whose angles share no step).
Scene mixedScene() {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> at(-3.0, 3.0), turn(-180.0, 180.0);
    std::vector<LightInfo> lights;
    const wchar_t* webs[] = {L"c", L"b", L"a", L"uneven"};
    for (int i = 0; i < 24; ++i) {
        const PlGePoint3d where(at(random), at(random), 1.0 + std::fabs(at(random)));
        const PlGeVector3d way(at(random) / 4, at(random) / 4, -1.0);
        LightInfo l = i % 3 == 0   ? point(where, 100.0 + i)
                      : i % 3 == 1 ? spot(where, way, 300.0, 20.0 + i, 40.0 + 2 * i)
                                   : web(where, way, 200.0, webs[i % 4], {turn(random), turn(random), turn(random)});
        lights.push_back(i % 4 == 1 ? limited(l, 0.5 + i % 3, 2.0 + i % 5) : l);
    }
    lights.push_back(distant({0.3, -0.2, -1.0}, 50.0));
    std::vector<double> v{0, 7.5, 15, 30, 45, 60, 75, 90}, h{0, 30, 60, 90};
    std::vector<double> c(v.size() * h.size());
    for (std::size_t k = 0; k < c.size(); ++k) c[k] = 1.0 + static_cast<double>((k * 37) % 11);
    std::vector<double> front{-90, -45, 0, 45, 90};
    std::vector<double> cf(25);
    for (std::size_t k = 0; k < cf.size(); ++k) cf[k] = 2.0 + static_cast<double>((k * 13) % 7);
    return Scene::of(lights, kMetres,
                     readerOf({{L"c", webOf(Type::C, v, h, c)},
                               {L"b", webOf(Type::B, front, front, cf)},
                               {L"a", webOf(Type::A, front, front, cf)},
                               {L"uneven", webOf(Type::C, {0, 1.2345678, 33.3, 90}, {0}, {5, 4, 2, 1})}}));
}

TEST(GridTest, InstructionSetsThreadsBlocksAndSinglePointsGiveTheSameBits) {
    const Scene scene = mixedScene();
    std::wstring refusal;
    const GridLayout layout = *gridLayout({-4, -3.5, 4.2, 3, 0.23, 0.4}, refusal);  // 36 x 29, rows not of 16
    const auto valuesOf = [&](InstructionSet set, unsigned threads, std::size_t blockPoints) {
        std::vector<double> values(layout.points());
        GridRun run;
        run.set = set;
        run.threads = threads;
        run.blockPoints = blockPoints;
        run.block = [&](const GridBlock& b) {
            for (std::size_t r = 0; r < b.rows; ++r)
                for (std::size_t c = 0; c < b.columns; ++c)
                    values[(b.row + r) * layout.columns + b.column + c] = b.values[r * b.columns + c];
            return true;
        };
        EXPECT_EQ(GridResult::Outcome::Done, computeGrid(scene, layout, run).outcome);
        return values;
    };
    const std::vector<double> reference = valuesOf(InstructionSet::Portable, 1, 0);
    for (std::size_t i = 0; i < reference.size(); i += 7) {
        const PlGePoint3d at(layout.x(i % layout.columns), layout.y(i / layout.columns), layout.height);
        EXPECT_EQ(reference[i], scene.at(at, {0, 0, 1})) << i;
    }
    std::vector<InstructionSet> sets{InstructionSet::Portable};
    if (available(InstructionSet::Avx2)) sets.push_back(InstructionSet::Avx2);
    for (const InstructionSet set : sets)
        for (const unsigned threads : {1u, 3u})
            for (const std::size_t block : {std::size_t{0}, std::size_t{20}, layout.columns * 5})
                EXPECT_EQ(reference, valuesOf(set, threads, block))
                    << static_cast<int>(set) << " " << threads << " " << block;
    // A surface facing any way, point by point.
    std::mt19937 random(3);
    std::uniform_real_distribution<double> any(-1.0, 1.0);
    for (int i = 0; i < 200 && sets.size() > 1; ++i) {
        const PlGePoint3d at(3 * any(random), 3 * any(random), any(random));
        const PlGeVector3d normal(any(random), any(random), any(random));
        EXPECT_EQ(scene.at(at, normal, InstructionSet::Portable), scene.at(at, normal, InstructionSet::Avx2)) << i;
    }
}

TEST(GridTest, ACancelOrAStopEndsTheCalculation) {
    const Scene scene = Scene::of({point({0, 0, 2}, 100)}, kMetres);
    std::wstring refusal;
    const GridLayout layout = *gridLayout({0, 0, 10, 10, 0.1, 0}, refusal);
    std::atomic<bool> cancel{false};
    int blocks = 0;
    GridRun run;
    run.blockPoints = 1000;
    run.cancel = &cancel;
    run.block = [&blocks](const GridBlock&) { return ++blocks < 3; };
    EXPECT_EQ(GridResult::Outcome::Stopped, computeGrid(scene, layout, run).outcome);
    EXPECT_EQ(3, blocks);
    blocks = 0;
    run.progress = [&cancel](std::size_t done, std::size_t all) {
        EXPECT_EQ(10000u, all);
        if (done >= 2000) cancel = true;
    };
    EXPECT_EQ(GridResult::Outcome::Cancelled, computeGrid(scene, layout, run).outcome);
    EXPECT_EQ(2, blocks);
}

}  // namespace
