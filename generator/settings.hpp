#pragma once

#include <cstdint>

namespace zxmaze {

// The settings of a run, each kept in the width the maze data was designed around: entered values
// wrap (300 columns give 44, a percent of -1 acts as 255). Zero until a run reads them; a failed
// intake leaves the fields it did not reach as they were.
struct GeneratorSettings {
    std::uint8_t LastX = 0;  // columns - 1
    std::uint8_t LastY = 0;  // rows - 1
    std::uint8_t KeepCorridorPercent = 0;
    std::uint8_t SameDirectionPercent = 0;
    std::uint8_t AttemptsPerNode = 0;
    std::uint16_t HallCount = 0;
    std::uint8_t MaxHallSize = 0;
    std::uint8_t PillarPercent = 0;
    std::uint8_t Wall2Percent = 0;
    std::uint8_t EnemyLeftPercent = 0;
    std::uint8_t EnemyRightPercent = 0;
    std::uint8_t BoxPercent = 0;
    std::int32_t StepDelay = 0;
};

inline constexpr std::int32_t kStepDelay = 10000000;

}  // namespace zxmaze
