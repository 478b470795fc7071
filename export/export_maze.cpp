#include "export/export_maze.hpp"

#include "export/listing.hpp"
#include "export/safe_file_writer.hpp"

namespace zxmaze {

void ExportMaze(const Host& host, const MazeGrid& grid, const GeneratorSettings& settings) {
    const std::string listing =
        FormatListing(grid, settings.LastX, settings.LastY, host.Coding(), ReadCodeTexts(host));
    WriteFileSafely(host.ListingPath(), listing);
}

}  // namespace zxmaze
