#include "generator/settings_intake.hpp"

#include "generator/maze_error.hpp"
#include "generator/text_to_integer.hpp"

namespace zxmaze {
namespace {

std::int32_t ReadInteger(const std::string& text) {
    const auto value = TextToInteger(text);
    if (!value) throw MazeError("'" + text + "' is not a valid integer value");
    return *value;
}

std::uint8_t Low8(std::int32_t value) { return static_cast<std::uint8_t>(value); }

// The grid holds 128 x 128 cells, so only 2..128 columns or rows (after the 8-bit wrap of
// value - 1) make a maze that fits; anything else is refused rather than run outside the grid.
std::uint8_t ReadLastIndex(const Host& host, SettingField field, const char* dimension) {
    const std::string text = host.SettingText(field);
    const std::int32_t value = ReadInteger(text);
    const auto last = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) - 1U);
    if (last < 1 || last > 127) {
        throw MazeError("'" + text + "' is out of range: a maze has 2 to 128 cells in " + dimension);
    }
    return last;
}

std::uint8_t ReadByte(const Host& host, SettingField field) {
    return Low8(ReadInteger(host.SettingText(field)));
}

}  // namespace

void ReadSettings(const Host& host, GeneratorSettings& settings) {
    settings.LastX = ReadLastIndex(host, SettingField::Edit4, "length");
    settings.LastY = ReadLastIndex(host, SettingField::Edit5, "width");
    settings.KeepCorridorPercent = ReadByte(host, SettingField::Edit1);
    settings.SameDirectionPercent = ReadByte(host, SettingField::Edit2);
    settings.AttemptsPerNode = ReadByte(host, SettingField::Edit3);
    settings.HallCount = static_cast<std::uint16_t>(ReadInteger(host.SettingText(SettingField::Edit6)));
    settings.MaxHallSize = ReadByte(host, SettingField::Edit7);
    settings.PillarPercent = ReadByte(host, SettingField::Edit8);
    settings.Wall2Percent = ReadByte(host, SettingField::Edit9);
    settings.EnemyLeftPercent = ReadByte(host, SettingField::Edit10);
    settings.EnemyRightPercent = ReadByte(host, SettingField::Edit11);
    settings.BoxPercent = ReadByte(host, SettingField::Edit12);
}

}  // namespace zxmaze
