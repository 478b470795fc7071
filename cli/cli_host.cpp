#include "cli/cli_host.hpp"

namespace zxmaze {

std::string CliHost::SettingText(SettingField field) const {
    return options_.settingTexts[static_cast<std::size_t>(field)];
}

std::string CliHost::CodeText(CodeField field) const { return options_.codeTexts[static_cast<std::size_t>(field)]; }

FileCoding CliHost::Coding() const {
    return options_.halfByte ? FileCoding::fcHalfBytePerCell : FileCoding::fcBytePerCell;
}

void CliHost::ShowError(std::string_view text) { errors_ << "zxmaze-cli: " << text << '\n'; }

}  // namespace zxmaze
