#pragma once

#include <ostream>
#include <string>

#include "cli/cli_options.hpp"
#include "generator/host.hpp"

namespace zxmaze {

// The window's part played without a window: the option texts stand in for the fields, the
// status label is kept for the run's stdout line, and errors go to stderr.
class CliHost : public Host {
public:
    CliHost(const CliOptions& options, std::ostream& errors) : options_(options), errors_(errors) {}

    void SetListingPath(std::string path) { listingPath_ = std::move(path); }
    const std::string& Status() const { return status_; }

    std::string SettingText(SettingField field) const override;
    std::string CodeText(CodeField field) const override;
    FileCoding Coding() const override;
    bool StepByStep() const override { return false; }
    std::string ListingPath() const override { return listingPath_; }
    void SetStatus(std::string_view text) override { status_ = text; }
    void RepaintStatus() override {}
    void RefreshPicture(const Picture&) override {}
    void ShowError(std::string_view text) override;

private:
    const CliOptions& options_;
    std::ostream& errors_;
    std::string listingPath_;
    std::string status_;
};

}  // namespace zxmaze
