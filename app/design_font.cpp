#include "app/design_font.hpp"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>

namespace zxmaze {
namespace {

constexpr int kPointSize = 8;
// Narrower than this a caption gets hard to read; better cut off a few pixels then.
constexpr int kNarrowestStretch = 70;

bool CaptionsFit(const QFont& font, const QList<QLabel*>& labels) {
    const QFontMetrics metrics(font);
    for (const QLabel* label : labels) {
        if (metrics.horizontalAdvance(label->text()) > label->width()) return false;
    }
    return true;
}

}  // namespace

QFont DesignFont(const QWidget& form) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(kPointSize);
    const QList<QLabel*> labels = form.findChildren<QLabel*>();
    for (int stretch = QFont::Unstretched; stretch > kNarrowestStretch; --stretch) {
        font.setStretch(stretch);
        if (CaptionsFit(font, labels)) break;
    }
    return font;
}

}  // namespace zxmaze
