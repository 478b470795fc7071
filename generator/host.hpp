#pragma once

#include <string>
#include <string_view>

namespace zxmaze {

class Picture;

// The twelve numeric fields, in the order a run reads them.
enum class SettingField { Edit4, Edit5, Edit1, Edit2, Edit3, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12 };

// The six code texts of the listing.
enum class CodeField { Edit13Corridor, Edit14Wall1, Edit15Pillar, Edit16Wall2, Edit17Enemy, Edit18Box };

enum class FileCoding { fcBytePerCell = 0, fcHalfBytePerCell = 1 };

// Everything the engine needs from the window: the window implements it, and so does the CLI.
class Host {
public:
    virtual ~Host() = default;

    virtual std::string SettingText(SettingField field) const = 0;
    virtual std::string CodeText(CodeField field) const = 0;
    virtual FileCoding Coding() const = 0;
    // Read after every growth attempt, so a host may change it during a run.
    virtual bool StepByStep() const = 0;
    virtual std::string ListingPath() const = 0;

    virtual void SetStatus(std::string_view text) = 0;
    // Shows the status label on screen at once.
    virtual void RepaintStatus() = 0;
    // Shows the picture on screen at once (the engine owns it; the host only shows it).
    virtual void RefreshPicture(const Picture& picture) = 0;
    // Shows the message of an error that stopped a run (already with its full stop).
    virtual void ShowError(std::string_view text) = 0;
};

}  // namespace zxmaze
