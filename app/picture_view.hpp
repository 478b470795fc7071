#pragma once

#include <QImage>
#include <QWidget>

namespace zxmaze {

class Picture;

// Image1: shows a copy of the engine's picture. Until the first run there is none, and the window's
// background shows through.
class PictureView : public QWidget {
    Q_OBJECT

public:
    explicit PictureView(QWidget* parent = nullptr);

    // Takes a copy of the picture; it reaches the screen at the next paint (repaint() for at once).
    void Show(const Picture& picture);
    const QImage& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

}  // namespace zxmaze
