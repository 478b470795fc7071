// The window as it opens: every control where the layout puts it, with its text, state and place in
// the tab order; the frame, font and background; and the node-choice radio group.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <algorithm>
#include <map>

#include "app/application_title.hpp"
#include "app/main_window.hpp"
#include "app/picture_view.hpp"

namespace zxmaze {
namespace {

struct Control {
    const char* name;
    const char* kind;
    const char* parent;
    QRect bounds;
    const char* text;
    bool enabled;
    int tab;  // place in its parent's tab order; -1 for controls that take no focus
};

const Control kControls[] = {
    {"Image1", "zxmaze::PictureView", "Form1", {24, 16, 600, 600}, "", true, -1},
    {"CheckBox1", "QCheckBox", "Form1", {184, 640, 265, 17}, "Step by step maze generation", true, 9},
    {"Button1", "QPushButton", "Form1", {184, 672, 273, 25}, "Maze generation", true, 0},
    {"Label7", "QLabel", "Form1", {240, 720, 3, 13}, "", true, -1},
    {"Label6", "QLabel", "Form1", {936, 728, 99, 13}, "zxmaze " ZXMAZE_VERSION, true, -1},
    {"Label4", "QLabel", "Form1", {704, 32, 116, 13}, "Number of cells in length", true, -1},
    {"Edit4", "QLineEdit", "Form1", {824, 24, 50, 21}, "128", true, 5},
    {"Label5", "QLabel", "Form1", {704, 72, 112, 13}, "Number of cells in width", true, -1},
    {"Edit5", "QLineEdit", "Form1", {824, 64, 50, 21}, "64", true, 6},
    {"RadioGroup1", "QGroupBox", "Form1", {648, 120, 385, 81}, "Current corridor for next corridor generation", true, 1},
    {"Label3", "QLabel", "Form1", {648, 224, 224, 13}, "Probability for continuation of current corridor, %", false, -1},
    {"Edit1", "QLineEdit", "Form1", {976, 216, 50, 21}, "50", false, 2},
    {"Label2", "QLabel", "Form1", {648, 264, 282, 13}, "Probability for continuation of current corridor to the same, %", true, -1},
    {"Edit2", "QLineEdit", "Form1", {976, 256, 50, 21}, "90", true, 3},
    {"Label1", "QLabel", "Form1", {648, 304, 257, 13}, "Number of attempts for generation from current corridor", true, -1},
    {"Edit3", "QLineEdit", "Form1", {976, 296, 50, 21}, "10", true, 4},
    {"Label8", "QLabel", "Form1", {648, 344, 73, 13}, "Number of halls", true, -1},
    {"Edit6", "QLineEdit", "Form1", {976, 336, 50, 21}, "50", true, 7},
    {"Label9", "QLabel", "Form1", {648, 384, 146, 13}, "Maximal hall length/width, cells", true, -1},
    {"Edit7", "QLineEdit", "Form1", {976, 376, 50, 21}, "5", true, 8},
    {"Label10", "QLabel", "Form1", {648, 424, 141, 13}, "Probability for pillars in halls, %", true, -1},
    {"Edit8", "QLineEdit", "Form1", {976, 416, 50, 21}, "100", true, 10},
    {"Label11", "QLabel", "Form1", {648, 464, 147, 13}, "Probability for walls of type 2, %", true, -1},
    {"Edit9", "QLineEdit", "Form1", {976, 456, 50, 21}, "20", true, 11},
    {"Label12", "QLabel", "Form1", {648, 504, 208, 13}, "Probability for enemies in left part of maze, %", true, -1},
    {"Edit10", "QLineEdit", "Form1", {976, 496, 50, 21}, "2", true, 12},
    {"Label13", "QLabel", "Form1", {648, 544, 214, 13}, "Probability for enemies in right part of maze, %", true, -1},
    {"Edit11", "QLineEdit", "Form1", {976, 536, 50, 21}, "6", true, 13},
    {"Label14", "QLabel", "Form1", {648, 584, 97, 13}, "Probability for box, %", true, -1},
    {"Edit12", "QLineEdit", "Form1", {976, 576, 50, 21}, "1", true, 14},
    {"GroupBox1", "QGroupBox", "Form1", {648, 616, 385, 105}, "Element code for output in file", true, 15},
    {"Label15", "QLabel", "GroupBox1", {8, 32, 36, 13}, "Corridor", true, -1},
    {"Edit13", "QLineEdit", "GroupBox1", {80, 24, 25, 21}, "0", true, 0},
    {"Label16", "QLabel", "GroupBox1", {8, 56, 59, 13}, "Wall (type 1)", true, -1},
    {"Edit14", "QLineEdit", "GroupBox1", {80, 48, 25, 21}, "1", true, 1},
    {"Label18", "QLabel", "GroupBox1", {8, 80, 59, 13}, "Wall (type 2)", true, -1},
    {"Edit16", "QLineEdit", "GroupBox1", {80, 72, 25, 21}, "3", true, 3},
    {"Label17", "QLabel", "GroupBox1", {136, 32, 22, 13}, "Pillar", true, -1},
    {"Edit15", "QLineEdit", "GroupBox1", {192, 24, 25, 21}, "2", true, 2},
    {"Label19", "QLabel", "GroupBox1", {136, 56, 32, 13}, "Enemy", true, -1},
    {"Edit17", "QLineEdit", "GroupBox1", {192, 48, 25, 21}, "4", true, 4},
    {"Label20", "QLabel", "GroupBox1", {136, 80, 18, 13}, "Box", true, -1},
    {"Edit18", "QLineEdit", "GroupBox1", {192, 72, 25, 21}, "5", true, 5},
    {"RadioGroup2", "QGroupBox", "GroupBox1", {240, 24, 137, 70}, "File coding", true, 6},
};

// The items of the two radio groups, numbered as the button group reports them.
struct RadioItem {
    const char* group;
    int index;
    const char* text;
    bool checked;
};

const RadioItem kRadioItems[] = {
    {"RadioGroup1", 0, "Last generated", true},
    {"RadioGroup1", 1, "Random with a given probability", false},
    {"RadioGroup2", 0, "Byte per cell", true},
    {"RadioGroup2", 1, "Half-byte per cell", false},
};

QString TextOf(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) return edit->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) return group->title();
    return {};
}

QList<QAbstractButton*> ItemsOf(const QWidget& radioGroup) {
    return radioGroup.findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly);
}

class Window : public ::testing::Test {
protected:
    QWidget& Find(const char* name) {
        if (QString(name) == "Form1") return window_;
        auto* widget = window_.findChild<QWidget*>(name);
        if (widget == nullptr) throw std::runtime_error(std::string("no control ") + name);
        return *widget;
    }

    MainWindow window_;
};

TEST_F(Window, EveryControlHasItsKindParentBoundsTextAndState) {
    EXPECT_EQ(window_.objectName(), "Form1");
    for (const Control& control : kControls) {
        SCOPED_TRACE(control.name);
        const QWidget& widget = Find(control.name);
        EXPECT_TRUE(widget.inherits(control.kind)) << widget.metaObject()->className();
        ASSERT_NE(widget.parentWidget(), nullptr);
        EXPECT_EQ(widget.parentWidget()->objectName(), control.parent);
        EXPECT_EQ(widget.geometry(), control.bounds);
        EXPECT_EQ(TextOf(widget), control.text);
        EXPECT_EQ(widget.isEnabled(), control.enabled);
    }
}

TEST_F(Window, RadioGroupsHoldTheirItemsWithTheFirstChosen) {
    for (const RadioItem& item : kRadioItems) {
        SCOPED_TRACE(std::string(item.group) + " item " + std::to_string(item.index));
        const QList<QAbstractButton*> buttons = ItemsOf(Find(item.group));
        ASSERT_EQ(buttons.size(), 2);
        QAbstractButton* button = buttons.at(item.index);
        EXPECT_TRUE(button->inherits("QRadioButton"));
        EXPECT_EQ(button->text(), item.text);
        EXPECT_EQ(button->isChecked(), item.checked);
        ASSERT_NE(button->group(), nullptr);
        EXPECT_EQ(button->group()->id(button), item.index);
        EXPECT_EQ(button->group()->buttons().size(), 2);
    }
    EXPECT_FALSE(dynamic_cast<QAbstractButton&>(Find("CheckBox1")).isChecked());
}

// The tab order the table gives: the window's controls by their place, a group box's own controls
// in their place within it, and a radio group's items in order.
QStringList ExpectedTabOrder(const QString& parent) {
    std::vector<const Control*> controls;
    for (const Control& control : kControls) {
        if (control.parent == parent && control.tab >= 0) controls.push_back(&control);
    }
    std::sort(controls.begin(), controls.end(), [](const Control* a, const Control* b) { return a->tab < b->tab; });
    QStringList order;
    for (const Control* control : controls) {
        if (QString(control->name).startsWith("RadioGroup")) {
            order << QString(control->name) + "Item0" << QString(control->name) + "Item1";
        } else if (QString(control->kind) == "QGroupBox") {
            order << ExpectedTabOrder(control->name);
        } else {
            order << control->name;
        }
    }
    return order;
}

TEST_F(Window, TabGoesThroughTheControlsInTheirOrderStartingAtButton1) {
    QStringList chain;
    for (QWidget* widget = window_.nextInFocusChain(); widget != &window_; widget = widget->nextInFocusChain()) {
        if (widget->focusPolicy() & Qt::TabFocus) chain << widget->objectName();
    }
    const auto first = chain.indexOf("Button1");
    ASSERT_GE(first, 0);
    std::rotate(chain.begin(), chain.begin() + first, chain.end());
    EXPECT_EQ(chain, ExpectedTabOrder("Form1"));
    EXPECT_EQ(window_.focusWidget(), &Find("Button1"));
}

TEST_F(Window, IsAFixedDialogWithACloseBoxCentredOnTheScreen) {
    EXPECT_EQ(window_.windowTitle(), "Maze generation for ZX Spectrum");
    EXPECT_EQ(window_.size(), QSize(1047, 752));
    EXPECT_EQ(window_.minimumSize(), window_.size());
    EXPECT_EQ(window_.maximumSize(), window_.size());
    const Qt::WindowFlags flags = window_.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    ASSERT_NE(window_.screen(), nullptr);
    EXPECT_EQ(window_.geometry().center(), window_.screen()->availableGeometry().center());
}

TEST_F(Window, UsesTheUiFontAtEightPointsAndEveryCaptionFits) {
    const QFont font = window_.font();
    EXPECT_EQ(font.pointSize(), 8);
    EXPECT_EQ(font.family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    for (const Control& control : kControls) {
        SCOPED_TRACE(control.name);
        const QWidget& widget = Find(control.name);
        EXPECT_EQ(widget.font(), font);
        if (qobject_cast<const QLabel*>(&widget)) {
            EXPECT_LE(widget.fontMetrics().horizontalAdvance(TextOf(widget)), widget.width());
        } else if (qobject_cast<const QAbstractButton*>(&widget)) {
            EXPECT_LE(widget.sizeHint().width(), widget.width());
        }
    }
    for (const RadioItem& item : kRadioItems) {
        const QAbstractButton* button = ItemsOf(Find(item.group)).at(item.index);
        EXPECT_LE(button->sizeHint().width(), button->width()) << item.text;
        EXPECT_LE(button->sizeHint().height(), button->height()) << item.text;
    }
}

TEST_F(Window, ShowsTheButtonFaceColourWhereThePictureWillBeBeforeTheFirstRun) {
    EXPECT_TRUE(window_.autoFillBackground());
    EXPECT_EQ(window_.backgroundRole(), QPalette::Button);
    const QColor face = window_.palette().color(QPalette::Button);
    const QImage area = window_.grab(Find("Image1").geometry()).toImage();
    ASSERT_EQ(area.size(), QSize(600, 600));
    for (const QPoint point : {QPoint(0, 0), QPoint(300, 300), QPoint(599, 599), QPoint(4, 4)}) {
        EXPECT_EQ(area.pixelColor(point), face) << point.x() << "," << point.y();
    }
}

struct RadioStep {
    int item;  // the item the user chooses
    bool randomNodeMode;
    bool edit1Enabled;
};

TEST_F(Window, ChoosingANodeModeSwitchesTheGeneratorAndEdit1KeepsItsText) {
    auto& edit1 = dynamic_cast<QLineEdit&>(Find("Edit1"));
    edit1.setText("77");
    const RadioStep steps[] = {{1, true, true}, {1, true, true}, {0, false, false}, {1, true, true}, {0, false, false}};
    for (const RadioStep& step : steps) {
        ItemsOf(Find("RadioGroup1")).at(step.item)->click();
        EXPECT_EQ(window_.Generator().State().RandomNodeMode, step.randomNodeMode) << step.item;
        EXPECT_EQ(Find("Label3").isEnabled(), step.edit1Enabled) << step.item;
        EXPECT_EQ(edit1.isEnabled(), step.edit1Enabled) << step.item;
        EXPECT_EQ(edit1.text(), "77");
    }
}

TEST_F(Window, StartsInTheLastGeneratedModeWithNoPicture) {
    EXPECT_FALSE(window_.Generator().State().RandomNodeMode);
    EXPECT_TRUE(dynamic_cast<PictureView&>(Find("Image1")).Image().isNull());
}

struct TitleCase {
    const char* programPath;
    const char* title;
};

TEST(ApplicationTitle, IsTheProgramNameUpToItsFirstFullStopWithTheRestInLowerCase) {
    const TitleCase cases[] = {
        {"/usr/local/bin/zxmaze", "zxmaze"}, {"ZXMAZE.BIN", "Zxmaze"}, {"build/app/MazeTool.exe", "Mazetool"},
        {"a.b.c", "a"},                       {"/opt/x/.hidden", ""},  {"Zx", "Zx"},
    };
    for (const TitleCase& c : cases) EXPECT_EQ(ApplicationTitle(c.programPath), c.title) << c.programPath;
}

}  // namespace
}  // namespace zxmaze
