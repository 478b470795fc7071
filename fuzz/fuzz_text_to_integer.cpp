// The text of any field, through the conversion and through the settings intake: never a crash,
// exactly the texts the rules allow accepted with the value they give, every other one refused
// with the whole text quoted in the message, and a refused field leaves it and the fields after it
// as they were.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_host.hpp"
#include "fuzz/text_rules.hpp"
#include "generator/maze_error.hpp"
#include "generator/settings_intake.hpp"
#include "generator/text_to_integer.hpp"

namespace zxmaze::fuzz {
namespace {

// Settings no intake would give all at once, so any field an intake touched shows.
GeneratorSettings Marked() {
    GeneratorSettings s;
    s.LastX = s.LastY = s.KeepCorridorPercent = s.SameDirectionPercent = s.AttemptsPerNode = 0xA5;
    s.MaxHallSize = s.PillarPercent = s.Wall2Percent = s.EnemyLeftPercent = s.EnemyRightPercent = s.BoxPercent = 0xA5;
    s.HallCount = 0xA5A5;
    return s;
}

// The fields' stores in SettingField order, as numbers.
std::array<unsigned, 12> Stored(const GeneratorSettings& s) {
    return {s.LastX,         s.LastY,       s.KeepCorridorPercent, s.SameDirectionPercent,
            s.AttemptsPerNode, s.HallCount, s.MaxHallSize,         s.PillarPercent,
            s.Wall2Percent,  s.EnemyLeftPercent, s.EnemyRightPercent, s.BoxPercent};
}

// `text` in field `field`, the window's defaults in the others: what the intake stores, or its
// message, must follow from the independent reading.
void CheckIntake(SettingField field, const std::string& text, std::optional<std::int32_t> expected) {
    FuzzHost host;
    const auto index = static_cast<std::size_t>(field);
    host.settings[index] = text;
    GeneratorSettings settings = Marked();
    std::string message;
    try {
        ReadSettings(host, settings);
    } catch (const MazeError& error) {
        message = error.what();
        // The full stop is added after a last character above '.', which every whole message has.
        const bool stop = !message.empty() && static_cast<unsigned char>(message.back()) > '.';
        Check(error.DisplayText() == message + (stop ? "." : ""), "the shown message and its full stop");
    }

    const bool isSize = field == SettingField::Edit4 || field == SettingField::Edit5;
    const bool refused = !expected || (isSize && !IsMazeSize(*expected));
    // A message is a C string: a text with a NUL in it (which neither a window field nor a
    // command-line argument can hold) is quoted up to the NUL.
    const auto shown = [](const std::string& full) { return full.substr(0, full.find('\0')); };
    if (!expected) {
        Check(message == shown(NotAnIntegerMessage(text)), "refused text, got message '" + message + "'");
    } else if (refused) {
        Check(message == shown(OutOfRangeMessage(text, field == SettingField::Edit4)), "out of range, got '" + message + "'");
    } else {
        Check(message.empty(), "accepted text refused: '" + message + "'");
    }

    const auto stored = Stored(settings);
    const auto untouched = Stored(Marked());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (refused && i >= index) {
            Check(stored[i] == untouched[i], "a field at or after the refused one changed");
        } else if (i == index) {
            const auto bits = static_cast<std::uint32_t>(*expected);
            const unsigned want = field == SettingField::Edit6 ? (bits & 0xFFFFU)
                                  : isSize                      ? ((bits - 1U) & 0xFFU)
                                                                : (bits & 0xFFU);
            Check(stored[i] == want, "stored value of the fuzzed field");
        } else {
            Check(stored[i] != untouched[i], "a field before or after the fuzzed one was not read");
        }
    }
}

}  // namespace
}  // namespace zxmaze::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zxmaze;
    using namespace zxmaze::fuzz;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto expected = ExpectedInteger(text);
    const auto got = TextToInteger(text);
    Check(got.has_value() == expected.has_value(), "accepted or refused against the rules");
    if (got) Check(*got == *expected, "value against the rules");

    // A size field (with its range), a percent, and the 16-bit halls field.
    for (const SettingField field : {SettingField::Edit4, SettingField::Edit5, SettingField::Edit1, SettingField::Edit6,
                                     SettingField::Edit12}) {
        CheckIntake(field, text, expected);
    }
    return 0;
}
