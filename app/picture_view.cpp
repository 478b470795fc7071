#include "app/picture_view.hpp"

#include <QPainter>

#include "preview/picture.hpp"

namespace zxmaze {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {}

void PictureView::Show(const Picture& picture) {
    if (!picture.HasImage()) {
        image_ = QImage();
        return;
    }
    const std::vector<std::uint8_t> pixels = picture.Pixels();
    // copy(): the image must own its pixels, the vector goes away.
    image_ = QImage(pixels.data(), Picture::kSize, Picture::kSize, Picture::kSize * 3, QImage::Format_RGB888).copy();
}

void PictureView::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

}  // namespace zxmaze
