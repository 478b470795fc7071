#include "app/main_window.hpp"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>
#include <chrono>

#include "app/application_title.hpp"
#include "app/design_font.hpp"
#include "app/picture_view.hpp"
#include "ui_form1.h"

namespace zxmaze {
namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

std::uint64_t MainWindow::SeedFromClock() {
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

MainWindow::MainWindow(SeedSource nextSeed) : ui_(std::make_unique<Ui::Form1>()), nextSeed_(nextSeed) {
    ui_->setupUi(this);
    label7Width_ = ui_->Label7->width();
    ui_->Label6->setText(QStringLiteral("zxmaze " ZXMAZE_VERSION));
    setFont(DesignFont(*this));

    // A dialog frame: a close box only; the form fixes the size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());

    // A radio group's items are numbered from 0 down the group.
    ui_->RadioGroup1Items->setId(ui_->RadioGroup1Item0, 0);
    ui_->RadioGroup1Items->setId(ui_->RadioGroup1Item1, 1);
    ui_->RadioGroup2Items->setId(ui_->RadioGroup2Item0, 0);
    ui_->RadioGroup2Items->setId(ui_->RadioGroup2Item1, 1);

    settingEdits_ = {ui_->Edit4, ui_->Edit5, ui_->Edit1, ui_->Edit2,  ui_->Edit3,  ui_->Edit6,
                     ui_->Edit7, ui_->Edit8, ui_->Edit9, ui_->Edit10, ui_->Edit11, ui_->Edit12};
    codeEdits_ = {ui_->Edit13, ui_->Edit14, ui_->Edit15, ui_->Edit16, ui_->Edit17, ui_->Edit18};

    // The window opens with the focus on the first control of the tab order, the button.
    ui_->Button1->setFocus();
    connect(ui_->Button1, &QPushButton::clicked, this, &MainWindow::Button1Click);
    connect(ui_->RadioGroup1Items, &QButtonGroup::idClicked, this, &MainWindow::RadioGroup1Click);
}

MainWindow::~MainWindow() = default;

// One press: the whole run, blocking the window until the listing is written or an error stops it.
void MainWindow::Button1Click() {
    RunAndReport(generator_, *this, nextSeed_());
    ShowPictureOnNextPaint();
}

// Two separate tests, so that no chosen item at all changes nothing. Edit1 keeps its text either way.
void MainWindow::RadioGroup1Click() {
    const int item = ui_->RadioGroup1Items->checkedId();
    if (item == 0) {
        generator_.SetRandomNodeMode(false);
        ui_->Label3->setEnabled(false);
        ui_->Edit1->setEnabled(false);
    }
    if (item == 1) {
        generator_.SetRandomNodeMode(true);
        ui_->Label3->setEnabled(true);
        ui_->Edit1->setEnabled(true);
    }
}

std::string MainWindow::SettingText(SettingField field) const {
    return settingEdits_.at(static_cast<std::size_t>(field))->text().toStdString();
}

std::string MainWindow::CodeText(CodeField field) const {
    return codeEdits_.at(static_cast<std::size_t>(field))->text().toStdString();
}

FileCoding MainWindow::Coding() const {
    return ui_->RadioGroup2Items->checkedId() == 1 ? FileCoding::fcHalfBytePerCell : FileCoding::fcBytePerCell;
}

bool MainWindow::StepByStep() const { return ui_->CheckBox1->isChecked(); }

void MainWindow::SetStatus(std::string_view text) {
    QLabel* label = ui_->Label7;
    label->setText(FromUtf8(text));
    // The status line grows with its text, from its designed width up.
    label->resize(std::max(label7Width_, label->fontMetrics().horizontalAdvance(label->text())), label->height());
}

void MainWindow::RepaintStatus() { ui_->Label7->repaint(); }

void MainWindow::RefreshPicture(const Picture& picture) {
    ui_->Image1->Show(picture);
    ui_->Image1->repaint();
}

void MainWindow::ShowError(std::string_view text) {
    // The window paints again while the box is open, and then shows what the run had done.
    ShowPictureOnNextPaint();
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(QCoreApplication::applicationFilePath()), FromUtf8(text),
                    QMessageBox::Ok, this);
    box.exec();
}

// During a run only RefreshPicture reaches the screen; everything else shows when the window next
// paints, which is after the click or while an error box is open.
void MainWindow::ShowPictureOnNextPaint() {
    ui_->Image1->Show(generator_.Preview());
    ui_->Image1->update();
}

}  // namespace zxmaze
