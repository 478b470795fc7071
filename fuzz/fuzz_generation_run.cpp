// Whole runs from any texts in the twelve fields and the six code texts, in both node modes and
// both codings, several runs in a row on one generator so that state carries over between them.
// Besides what the sanitizers catch, after every run:
// - a completed run leaves the node list empty, the picture white outside the maze and each
//   block of the maze in the colour of its cell (or as it was last painted), and a listing of exactly rows + 2 lines, each
//   ending in CR LF, with one entry per cell (a pair of cells in the half-byte coding), equal to
//   the listing written out plainly from the grid;
// - a refused run names the first field the rules refuse and leaves the grid and nodes alone;
// - nothing is ever written into the never-written margin around the grid.
//
// Input: lines; each run takes 19 of them (missing ones keep the window's defaults):
//   a control line (its first digits the seed; 'r' random node mode; 'h' half-byte coding),
//   the twelve setting texts in the order the run reads them, the six code texts.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "export/listing.hpp"
#include "fuzz/fuzz_host.hpp"
#include "fuzz/text_rules.hpp"
#include "generator/maze_error.hpp"
#include "generator/maze_generator.hpp"
#include "preview/colours.hpp"

namespace zxmaze::fuzz {
namespace {

constexpr std::size_t kLinesPerRun = 19;
constexpr std::size_t kMaxRuns = 4;
// Long code texts only make the listing longer, not different in kind: keep the fuzzer fast.
constexpr std::size_t kMaxCodeText = 40;

std::vector<std::string> SplitLines(std::string_view input) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from <= input.size()) {
        const auto end = input.find('\n', from);
        if (end == std::string_view::npos) {
            if (from < input.size()) lines.emplace_back(input.substr(from));
            break;
        }
        lines.emplace_back(input.substr(from, end - from));
        from = end + 1;
    }
    return lines;
}

std::uint64_t SeedOf(const std::string& control) {
    std::uint64_t seed = 0;
    const auto first = control.find_first_of("0123456789");
    for (std::size_t i = first; i != std::string::npos && i < control.size() && control[i] >= '0' && control[i] <= '9'; ++i) {
        seed = seed * 10 + static_cast<std::uint64_t>(control[i] - '0');  // wraps, which is fine for a seed
    }
    return seed;
}

// The margin cells around the 128 x 128 grid: none of them may ever be written.
__attribute__((no_sanitize("coverage"))) void CheckMargins(const MazeGrid& grid) {
    for (int x = -MazeGrid::kMarginColumns; x < kGridSize + MazeGrid::kMarginColumns; ++x) {
        for (int y = -MazeGrid::kMarginAbove; y < MazeGrid::kColumnStride - MazeGrid::kMarginAbove; ++y) {
            if (x >= 0 && x < kGridSize && y >= 0 && y < kGridSize) continue;
            Check(*grid.Cell(x, y) == 0, "a cell of the margin around the grid was written");
        }
    }
}

bool SameGrid(const MazeGrid& a, const MazeGrid& b) {
    for (int x = 0; x < kGridSize; ++x) {
        for (int y = 0; y < kGridSize; ++y) {
            if (a.At(x, y) != b.At(x, y)) return false;
        }
    }
    return true;
}

// The listing written out the plain way, one cell at a time.
std::string PlainListing(const MazeGrid& grid, int lastX, int lastY, FileCoding coding, const CodeTexts& texts) {
    const auto text = [&](std::uint8_t value) -> const std::string& {
        switch (value) {
            case ccCorridor: return texts[0];
            case ccPillar: return texts[2];
            case ccWall2: return texts[3];
            case ccEnemy: return texts[4];
            case ccBox: return texts[5];
            default: return texts[1];
        }
    };
    std::string out = "; maze " + std::to_string(lastX + 1) + "x" + std::to_string(lastY + 1) + "\r\n\r\n";
    for (int y = 0; y <= lastY; ++y) {
        out += "defb ";
        if (coding == FileCoding::fcBytePerCell) {
            for (int x = 0; x <= lastX; ++x) out += (x > 0 ? ",#0" : "#0") + text(grid.At(x, y));
        } else {
            for (int x = 0; x <= lastX; x += 2) out += (x > 0 ? ",#" : "#") + text(grid.At(x, y)) + text(grid.At(x + 1, y));
        }
        out += "\r\n";
    }
    return out;
}

void CheckListingShape(const std::string& listing, int lastX, int lastY, FileCoding coding, const CodeTexts& texts) {
    for (const auto& text : texts) {
        if (text.find_first_of(",\r\n") != std::string::npos) return;  // the shape is then not countable
    }
    const std::size_t entries = coding == FileCoding::fcBytePerCell ? static_cast<std::size_t>(lastX) + 1
                                                                    : static_cast<std::size_t>(lastX) / 2 + 1;
    std::size_t lines = 0;
    std::size_t from = 0;
    while (from < listing.size()) {
        const auto end = listing.find("\r\n", from);
        Check(end != std::string::npos, "the listing's last line ends in CR LF");
        const std::string line = listing.substr(from, end - from);
        Check(line.find_first_of("\r\n") == std::string::npos, "no bare CR or LF in the listing");
        if (lines == 0) {
            Check(line == "; maze " + std::to_string(lastX + 1) + "x" + std::to_string(lastY + 1), "header line");
        } else if (lines == 1) {
            Check(line.empty(), "an empty line after the header");
        } else {
            Check(line.starts_with("defb "), "data lines are defb lines");
            std::size_t commas = 0;
            for (char c : line) commas += c == ',' ? 1 : 0;
            Check(commas + 1 == entries, "entries per data line");
        }
        ++lines;
        from = end + 2;
    }
    Check(lines == static_cast<std::size_t>(lastY) + 3, "rows + 2 lines");
}

// White outside the maze; inside, the colour of each cell as the run left it, except what was
// never painted: an unopened hall keeps the wall colour the reset gave it (or shows a pillar put
// on it), so do the cells of the 255th hall, whose number wraps to the corridor's 0, and a hall
// over the start cell leaves that cell as white as its opening painted it.
// The checks are no code to explore: no coverage feedback from them.
__attribute__((no_sanitize("coverage"))) void CheckPicture(const MazeGenerator& generator) {
    const auto pixels = generator.Preview().Pixels();
    const auto& s = generator.Settings();
    const bool hallZero = (s.HallCount & 0xFF) == 255;
    Check(pixels.size() == static_cast<std::size_t>(Picture::kSize) * Picture::kSize * 3, "picture size");
    for (int py = 0; py < Picture::kSize; ++py) {
        for (int px = 0; px < Picture::kSize; ++px) {
            const std::uint8_t* pixel = &pixels[(static_cast<std::size_t>(py) * Picture::kSize + static_cast<std::size_t>(px)) * 3];
            const auto is = [pixel](Rgb c) { return pixel[0] == c.red && pixel[1] == c.green && pixel[2] == c.blue; };
            const int x = px / Picture::kCellPixels;
            const int y = py / Picture::kCellPixels;
            if (x >= kGridSize || y >= kGridSize || x > s.LastX || y > s.LastY) {
                if (!is(kWhite)) Broken("pixel (" + std::to_string(px) + ", " + std::to_string(py) + ") outside the maze is not white");
                continue;
            }
            const std::uint8_t now = generator.Grid().At(x, y);
            const std::uint8_t grown = generator.GridAfterGrowth().At(x, y);
            bool fine = is(ColourOf(static_cast<CellCode>(now)));
            if (grown > ccWall1 && now == grown) fine = fine || is(ColourOf(ccWall1)) || (now == ccPillar && is(ColourOf(ccPillar)));
            if (hallZero && now == ccCorridor) fine = fine || is(ColourOf(ccWall1));
            if (x == 1 && y == 1) fine = fine || is(kWhite);
            if (!fine) {
                Broken("pixel (" + std::to_string(px) + ", " + std::to_string(py) + ") has the wrong colour for cell value " +
                       std::to_string(now));
            }
        }
    }
}

// The first field the rules refuse, with its message; nothing when all are accepted.
std::optional<std::pair<std::size_t, std::string>> ExpectedRefusal(const FuzzHost& host) {
    for (std::size_t i = 0; i < host.settings.size(); ++i) {
        const std::string& text = host.settings[i];
        const auto value = ExpectedInteger(text);
        if (!value) return std::pair{i, NotAnIntegerMessage(text)};
        if (i < 2 && !IsMazeSize(*value)) return std::pair{i, OutOfRangeMessage(text, i == 0)};
    }
    return std::nullopt;
}

void OneRun(MazeGenerator& generator, const std::vector<std::string>& lines, std::size_t first) {
    FuzzHost host;
    const auto line = [&](std::size_t k) -> const std::string* {
        return first + k < lines.size() ? &lines[first + k] : nullptr;
    };
    const std::string control = line(0) ? *line(0) : "";
    for (std::size_t i = 0; i < 12; ++i) {
        if (line(1 + i)) host.settings[i] = *line(1 + i);
    }
    for (std::size_t i = 0; i < 6; ++i) {
        if (line(13 + i)) host.codes[i] = line(13 + i)->substr(0, kMaxCodeText);
    }
    host.coding = control.find('h') != std::string::npos ? FileCoding::fcHalfBytePerCell : FileCoding::fcBytePerCell;
    generator.SetRandomNodeMode(control.find('r') != std::string::npos);

    const auto refusal = ExpectedRefusal(host);
    const MazeGrid gridBefore = generator.Grid();
    const std::uint16_t nodesBefore = generator.Nodes().Count();
    try {
        generator.Generate(host, SeedOf(control));
    } catch (const MazeError& error) {
        Check(refusal.has_value(), std::string("an accepted run was refused: ") + error.what());
        // A message is a C string: a text with a NUL (which no real field holds) is quoted up to it.
        Check(error.what() == refusal->second.substr(0, refusal->second.find('\0')),
              std::string("refusal message: ") + error.what());
        Check(SameGrid(gridBefore, generator.Grid()), "a refused run changed the grid");
        Check(generator.Nodes().Count() == nodesBefore, "a refused run changed the node list");
        CheckMargins(generator.Grid());
        return;
    }
    Check(!refusal.has_value(), "a run the rules refuse went through: " + (refusal ? refusal->second : ""));
    const auto& s = generator.Settings();
    Check(generator.Nodes().Count() == 0, "the node list is empty after a run");
    Check(generator.State().MaxNodeCount >= 1, "the start cell is a node");
    Check(host.status == "Maximal volume of nodes: " + std::to_string(generator.State().MaxNodeCount), "status line");
    CheckMargins(generator.Grid());
    CheckPicture(generator);

    const CodeTexts texts = ReadCodeTexts(host);
    const std::string listing = FormatListing(generator.Grid(), s.LastX, s.LastY, host.coding, texts);
    Check(listing == PlainListing(generator.Grid(), s.LastX, s.LastY, host.coding, texts), "listing against the plain one");
    CheckListingShape(listing, s.LastX, s.LastY, host.coding, texts);
}

}  // namespace
}  // namespace zxmaze::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zxmaze::fuzz;
    const auto lines = SplitLines(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::size_t runs = std::min(kMaxRuns, std::max<std::size_t>(1, (lines.size() + kLinesPerRun - 1) / kLinesPerRun));
    // A fresh generator per input, so each input replays the same. It is large: it lives in one
    // allocation made once, built anew in place, which spares the allocator's page faults.
    static const auto storage = std::make_unique<zxmaze::MazeGenerator>();
    zxmaze::MazeGenerator* generator = storage.get();
    std::destroy_at(generator);
    std::construct_at(generator);
    for (std::size_t run = 0; run < runs; ++run) OneRun(*generator, lines, run * kLinesPerRun);
    return 0;
}
