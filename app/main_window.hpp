#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>

#include "generator/host.hpp"
#include "generator/maze_generator.hpp"

class QLineEdit;

namespace Ui {
class Form1;
}

namespace zxmaze {

// The program's one window, Form1: the picture, the settings, the button and the status line.
// It is the engine's host: a run reads the window's fields and shows its picture and status in it.
class MainWindow : public QWidget, public Host {
    Q_OBJECT

public:
    using SeedSource = std::uint64_t (*)();
    static std::uint64_t SeedFromClock();

    // Every press of Button1 seeds its run with nextSeed(); tests pass a fixed one.
    explicit MainWindow(SeedSource nextSeed = SeedFromClock);
    ~MainWindow() override;

    const MazeGenerator& Generator() const { return generator_; }

    std::string SettingText(SettingField field) const override;
    std::string CodeText(CodeField field) const override;
    FileCoding Coding() const override;
    bool StepByStep() const override;
    std::string ListingPath() const override { return "labirint.txt"; }
    void SetStatus(std::string_view text) override;
    void RepaintStatus() override;
    void RefreshPicture(const Picture& picture) override;
    void ShowError(std::string_view text) override;

private slots:
    void Button1Click();
    void RadioGroup1Click();

private:
    void ShowPictureOnNextPaint();

    std::unique_ptr<Ui::Form1> ui_;
    std::array<QLineEdit*, 12> settingEdits_{};  // in the order of SettingField
    std::array<QLineEdit*, 6> codeEdits_{};      // in the order of CodeField
    int label7Width_ = 0;                        // as designed, before any status
    MazeGenerator generator_;
    SeedSource nextSeed_;
};

}  // namespace zxmaze
