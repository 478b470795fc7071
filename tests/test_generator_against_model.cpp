// The generator's fast paths (skipped draws for stuck nodes, open directions as byte masks, halls
// found again by their rectangles, percents compared on raw bits) must give exactly the mazes of
// the plain rules. A plainly written second generator runs beside it over many settings and
// seeds, in sequence so that what carries over from run to run is compared too.
#include <gtest/gtest.h>

#include <memory>

#include "generator/maze_generator.hpp"
#include "support/fake_host.hpp"
#include "support/literal_generator.hpp"

namespace zxmaze::testing {
namespace {

struct Settings {
    const char* columns;
    const char* rows;
    const char* keepCorridor;
    const char* sameDirection;
    const char* attempts;
    const char* halls;
    const char* maxHall;
    const char* pillars;
    const char* wall2;
    const char* enemiesLeft;
    const char* enemiesRight;
    const char* boxes;
    bool randomNode;
};

// Large mazes first, then smaller ones over what they left behind.
const Settings kSettings[] = {
    {"128", "128", "50", "90", "10", "50", "5", "100", "20", "2", "6", "1", false},
    {"128", "64", "50", "90", "0", "20", "12", "50", "100", "10", "0", "5", false},
    {"128", "128", "30", "0", "1", "255", "3", "100", "50", "50", "50", "50", true},
    {"100", "90", "0", "99", "2", "300", "0", "100", "20", "2", "6", "1", true},
    {"77", "40", "99", "255", "255", "-1", "1", "255", "255", "255", "255", "255", true},
    {"64", "64", "50", "50", "3", "256", "5", "0", "0", "0", "0", "0", false},
    {"60", "30", "50", "90", "10", "40", "126", "100", "20", "2", "6", "1", false},
    {"40", "50", "50", "90", "10", "10", "200", "100", "20", "2", "6", "1", true},
    {"37", "20", "50", "90", "10", "5", "2", "100", "20", "2", "6", "1", false},
    {"10", "10", "50", "0", "0", "3", "8", "100", "20", "2", "6", "1", false},
    {"5", "7", "50", "90", "4", "2", "3", "100", "20", "2", "6", "1", true},
    {"3", "3", "50", "90", "10", "1", "5", "100", "100", "100", "100", "100", false},
    {"2", "2", "50", "90", "10", "0", "5", "100", "20", "2", "6", "1", false},
    {"2", "5", "50", "90", "10", "2", "5", "100", "20", "2", "6", "1", false},
    {"128", "2", "50", "90", "10", "2", "5", "100", "20", "2", "6", "1", false},
};

const char* DirectionText(Direction direction) {
    switch (direction) {
        case Direction::Up: return "up";
        case Direction::Down: return "down";
        case Direction::Left: return "left";
        case Direction::Right: return "right";
        case Direction::None: break;
    }
    return "";
}

void UseSettings(FakeHost& host, const Settings& settings) {
    host.settings = {{SettingField::Edit4, settings.columns},     {SettingField::Edit5, settings.rows},
                     {SettingField::Edit1, settings.keepCorridor}, {SettingField::Edit2, settings.sameDirection},
                     {SettingField::Edit3, settings.attempts},    {SettingField::Edit6, settings.halls},
                     {SettingField::Edit7, settings.maxHall},     {SettingField::Edit8, settings.pillars},
                     {SettingField::Edit9, settings.wall2},       {SettingField::Edit10, settings.enemiesLeft},
                     {SettingField::Edit11, settings.enemiesRight}, {SettingField::Edit12, settings.boxes}};
}

TEST(GeneratorAgainstModel, SameMazesOverManySettingsAndSeeds) {
    auto generator = std::make_unique<MazeGenerator>();
    auto model = std::make_unique<LiteralGenerator>();
    FakeHost host;
    std::uint64_t seed = 1000;
    for (int round = 0; round < 3; ++round) {
        for (const Settings& settings : kSettings) {
            SCOPED_TRACE(std::string(settings.columns) + " x " + settings.rows + ", halls " + settings.halls +
                         ", attempts " + settings.attempts + ", seed " + std::to_string(seed));
            UseSettings(host, settings);
            generator->SetRandomNodeMode(settings.randomNode);
            model->randomNodeMode = settings.randomNode;
            generator->Generate(host, seed);
            model->Run(generator->Settings(), seed);
            ++seed;

            EXPECT_EQ(generator->State().MaxNodeCount, model->maxNodeCount);
            EXPECT_EQ(DirectionText(generator->State().CurrentDirection), model->currentDirection);
            EXPECT_EQ(generator->Nodes().Count(), 0);
            RandomSource engineNext = generator->Random();
            RandomSource modelNext;
            modelNext.Reseed(model->RandomState());
            EXPECT_EQ(engineNext.Next(), modelNext.Next()) << "a different number of draws";
            int differences = 0;
            for (int x = 0; x < kGridSize; ++x) {
                for (int y = 0; y < kGridSize; ++y) {
                    const auto expected = model->grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
                    if (generator->Grid().At(x, y) != expected && ++differences <= 5) {
                        ADD_FAILURE() << "cell (" << x << ", " << y << "): " << int(generator->Grid().At(x, y))
                                      << " instead of " << int(expected);
                    }
                }
            }
            if (::testing::Test::HasFailure()) return;
        }
    }
}

}  // namespace
}  // namespace zxmaze::testing
