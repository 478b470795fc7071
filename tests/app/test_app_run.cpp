// Pressing Maze generation in a real window: what the run writes, what the window shows during and
// after it, and the message box of a run that stops.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/application_title.hpp"
#include "app/main_window.hpp"
#include "app/picture_view.hpp"
#include "support/fake_host.hpp"
#include "support/temp_dir.hpp"

namespace zxmaze {
namespace {

namespace fs = std::filesystem;
using testing::FakeHost;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr std::uint64_t kSeed = 20240611;

std::vector<std::uint8_t> RgbBytes(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = rgb.constScanLine(y);
        bytes.insert(bytes.end(), line, line + rgb.width() * 3);
    }
    return bytes;
}

bool AllWhite(const QImage& image) {
    const std::vector<std::uint8_t> bytes = RgbBytes(image);
    return !bytes.empty() && std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t byte) { return byte == 255; });
}

// What the engine alone makes of the same texts and seed: the window must hand it exactly these.
struct EngineRun {
    std::string listing;
    std::vector<std::uint8_t> pixels;
    std::string status;
};

EngineRun RunEngine(FakeHost host, bool randomNodeMode) {
    TempDir dir;
    host.listingPath = dir.File("labirint.txt");
    auto generator = std::make_unique<MazeGenerator>();
    generator->SetRandomNodeMode(randomNodeMode);
    generator->Run(host, kSeed);
    return {ReadFile(host.listingPath), generator->Preview().Pixels(), host.status};
}

// A message box seen during a click, and what the window showed while it was open.
struct BoxSeen {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QImage picture;
    QString status;
};

class WindowRun : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder_ = fs::current_path();
        fs::current_path(folder_.Path());
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }
    void TearDown() override { fs::current_path(previousFolder_); }

    template <class Widget>
    Widget& Control(const char* name) {
        auto* widget = window_.findChild<Widget*>(name);
        if (widget == nullptr) throw std::runtime_error(std::string("no control ") + name);
        return *widget;
    }
    QLineEdit& Edit(const char* name) { return Control<QLineEdit>(name); }
    const QImage& Picture() { return Control<PictureView>("Image1").Image(); }
    QString Status() { return Control<QLabel>("Label7").text(); }
    std::string Listing() { return ReadFile(folder_.Path() / "labirint.txt"); }

    // Presses Maze generation; any message box it opens is recorded and closed with its OK button.
    std::vector<BoxSeen> Click() {
        std::vector<BoxSeen> boxes;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            boxes.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(), Picture(), Status()});
            box->button(QMessageBox::Ok)->click();
        });
        closer.start(5);
        Control<QPushButton>("Button1").click();
        return boxes;
    }

    TempDir folder_;
    fs::path previousFolder_;
    MainWindow window_{[] { return kSeed; }};
};

TEST_F(WindowRun, DefaultPressWritesShowsAndReportsA128By64Maze) {
    EXPECT_TRUE(Click().empty());
    const EngineRun engine = RunEngine(FakeHost(), false);

    const std::string listing = Listing();
    EXPECT_EQ(listing, engine.listing);
    EXPECT_EQ(listing.substr(0, 17), "; maze 128x64\r\n\r\n");
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 66);

    // The maze fills pixel columns 0..511 and rows 0..255, with its wall border; the rest is white.
    const QImage& picture = Picture();
    ASSERT_EQ(picture.size(), QSize(600, 600));
    EXPECT_EQ(RgbBytes(picture), engine.pixels);
    const QColor blue(0, 0, 255);
    for (const QPoint wall : {QPoint(0, 0), QPoint(511, 0), QPoint(0, 255), QPoint(511, 255), QPoint(300, 253)}) {
        EXPECT_EQ(picture.pixelColor(wall), blue) << wall.x() << "," << wall.y();
    }
    for (const QPoint outside : {QPoint(512, 0), QPoint(0, 256), QPoint(599, 599), QPoint(512, 255)}) {
        EXPECT_EQ(picture.pixelColor(outside), QColor(Qt::white)) << outside.x() << "," << outside.y();
    }
    // What the window paints is that picture.
    EXPECT_EQ(RgbBytes(Control<PictureView>("Image1").grab().toImage()), engine.pixels);

    EXPECT_EQ(Status().toStdString(), engine.status);
    EXPECT_EQ(Status(), "Maximal volume of nodes: " + QString::number(window_.Generator().State().MaxNodeCount));
    const auto& label7 = Control<QLabel>("Label7");
    EXPECT_GE(label7.width(), label7.fontMetrics().horizontalAdvance(label7.text()));
}

TEST_F(WindowRun, EveryFieldFeedsTheRunAndTheListing) {
    FakeHost host;
    const std::pair<const char*, SettingField> settings[] = {
        {"Edit4", SettingField::Edit4},   {"Edit5", SettingField::Edit5},   {"Edit1", SettingField::Edit1},
        {"Edit2", SettingField::Edit2},   {"Edit3", SettingField::Edit3},   {"Edit6", SettingField::Edit6},
        {"Edit7", SettingField::Edit7},   {"Edit8", SettingField::Edit8},   {"Edit9", SettingField::Edit9},
        {"Edit10", SettingField::Edit10}, {"Edit11", SettingField::Edit11}, {"Edit12", SettingField::Edit12}};
    const char* values[] = {"37", "29", "30", "70", "3", "12", "7", "60", "40", "15", "25", "10"};
    for (std::size_t i = 0; i < std::size(settings); ++i) {
        Edit(settings[i].first).setText(values[i]);
        host.settings[settings[i].second] = values[i];
    }
    const std::pair<const char*, CodeField> codes[] = {
        {"Edit13", CodeField::Edit13Corridor}, {"Edit14", CodeField::Edit14Wall1}, {"Edit15", CodeField::Edit15Pillar},
        {"Edit16", CodeField::Edit16Wall2},    {"Edit17", CodeField::Edit17Enemy}, {"Edit18", CodeField::Edit18Box}};
    const char* texts[] = {"c", "W", "p", "w2", "e", ""};
    for (std::size_t i = 0; i < std::size(codes); ++i) {
        Edit(codes[i].first).setText(texts[i]);
        host.codes[codes[i].second] = texts[i];
    }
    host.coding = FileCoding::fcHalfBytePerCell;
    Control<QAbstractButton>("RadioGroup2Item1").click();
    Control<QAbstractButton>("RadioGroup1Item1").click();

    EXPECT_TRUE(Click().empty());
    const EngineRun engine = RunEngine(host, true);
    EXPECT_EQ(Listing(), engine.listing);
    EXPECT_EQ(RgbBytes(Picture()), engine.pixels);
    EXPECT_EQ(Status().toStdString(), engine.status);
}

struct StoppedRun {
    const char* field;
    const char* text;
    const char* message;
};

void PrintTo(const StoppedRun& run, std::ostream* out) { *out << run.field << "='" << run.text << "'"; }

class StoppedByASetting : public WindowRun, public ::testing::WithParamInterface<StoppedRun> {};

TEST_P(StoppedByASetting, ShowsTheMessageLeavesAWhitePictureAndKeepsTheListing) {
    ASSERT_TRUE(Click().empty());
    const std::string previousListing = Listing();
    Edit(GetParam().field).setText(GetParam().text);

    const std::vector<BoxSeen> boxes = Click();
    ASSERT_EQ(boxes.size(), 1u);
    const BoxSeen& box = boxes.front();
    EXPECT_EQ(box.text, GetParam().message);
    EXPECT_EQ(box.title, ApplicationTitle(QCoreApplication::applicationFilePath()));
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
    EXPECT_TRUE(AllWhite(box.picture));
    EXPECT_EQ(box.status, "");

    EXPECT_TRUE(AllWhite(Picture()));
    EXPECT_TRUE(AllWhite(Control<PictureView>("Image1").grab().toImage()));
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(Listing(), previousListing);
    // The window goes on: the next press with good settings runs again.
    Edit(GetParam().field).setText(GetParam().field == std::string("Edit4") ? "20" : "4");
    EXPECT_TRUE(Click().empty());
    EXPECT_FALSE(AllWhite(Picture()));
}

INSTANTIATE_TEST_SUITE_P(
    Table, StoppedByASetting,
    ::testing::Values(StoppedRun{"Edit7", "5a", "'5a' is not a valid integer value."},
                      StoppedRun{"Edit6", "", "'' is not a valid integer value."},
                      StoppedRun{"Edit12", "1 ", "'1 ' is not a valid integer value."},
                      // Edit1 is disabled in the default mode, yet every run reads it.
                      StoppedRun{"Edit1", "x", "'x' is not a valid integer value."},
                      StoppedRun{"Edit4", "0", "'0' is out of range: a maze has 2 to 128 cells in length."},
                      StoppedRun{"Edit5", "129", "'129' is out of range: a maze has 2 to 128 cells in width."}));

TEST_F(WindowRun, ReadOnlyListingIsReportedAfterThePictureIsComplete) {
    WriteFile(folder_.Path() / "labirint.txt", "old listing\r\n");
    fs::permissions(folder_.Path() / "labirint.txt", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    const std::vector<BoxSeen> boxes = Click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().text, "File access denied.");
    EXPECT_EQ(boxes.front().icon, QMessageBox::Critical);

    const EngineRun engine = RunEngine(FakeHost(), false);
    EXPECT_EQ(RgbBytes(boxes.front().picture), engine.pixels);
    EXPECT_EQ(boxes.front().status.toStdString(), engine.status);
    EXPECT_EQ(RgbBytes(Picture()), engine.pixels);
    EXPECT_EQ(Status().toStdString(), engine.status);
    EXPECT_EQ(Listing(), "old listing\r\n");
}

// Counts the paints of one control while a run is going on, and keeps a copy of what each showed.
class PaintRecorder : public QObject {
public:
    PaintRecorder(QWidget& widget, std::function<void()> onPaint) : onPaint_(std::move(onPaint)) {
        widget.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (recording && event->type() == QEvent::Paint) onPaint_();
        return false;
    }
    bool recording = false;

private:
    std::function<void()> onPaint_;
};

struct StepDisplay {
    bool stepByStep;
    int picturePaints;  // during the run
    QStringList statusPaints;
};

void PrintTo(const StepDisplay& display, std::ostream* out) { *out << (display.stepByStep ? "stepping" : "plain"); }

class StepByStep : public WindowRun, public ::testing::WithParamInterface<StepDisplay> {};

// A 3 x 3 maze with one attempt: the only node cannot grow, so the run makes exactly one attempt
// (and one busy wait, when stepping).
TEST_P(StepByStep, OnlyClearingAndEachAttemptReachTheScreenDuringARun) {
    Edit("Edit4").setText("3");
    Edit("Edit5").setText("3");
    Edit("Edit6").setText("0");
    Edit("Edit3").setText("1");
    Control<QCheckBox>("CheckBox1").setChecked(GetParam().stepByStep);

    std::vector<QImage> pictures;
    QStringList statuses;
    PaintRecorder image1(Control<PictureView>("Image1"), [&] { pictures.push_back(Picture()); });
    PaintRecorder label7(Control<QLabel>("Label7"), [&] { statuses << Status(); });
    image1.recording = label7.recording = true;
    EXPECT_TRUE(Click().empty());
    image1.recording = label7.recording = false;

    ASSERT_EQ(static_cast<int>(pictures.size()), GetParam().picturePaints);
    EXPECT_TRUE(AllWhite(pictures.front()));
    if (pictures.size() > 1) {
        // The attempt shows the reset maze: blue walls round the open start cell.
        const QImage& step = pictures.back();
        EXPECT_EQ(step.pixelColor(0, 0), QColor(0, 0, 255));
        EXPECT_EQ(step.pixelColor(11, 11), QColor(0, 0, 255));
        EXPECT_EQ(step.pixelColor(5, 5), QColor(Qt::white));
        EXPECT_EQ(step.pixelColor(12, 12), QColor(Qt::white));
    }
    EXPECT_EQ(statuses, GetParam().statusPaints);
    EXPECT_EQ(Status(), "Maximal volume of nodes: 1");
}

INSTANTIATE_TEST_SUITE_P(Table, StepByStep,
                         ::testing::Values(StepDisplay{false, 1, {}},
                                           StepDisplay{true, 2, {QString::fromUtf8("макс.количество узлов: 1")}}));

}  // namespace
}  // namespace zxmaze
