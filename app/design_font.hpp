#pragma once

#include <QFont>

class QWidget;

namespace zxmaze {

// The platform's UI font at 8 points, the size the layout was drawn for. Where that font runs wider
// than the layout's captions allow, it is narrowed just enough for every label of `form` to fit the
// width the layout gives it, so no caption is cut off or runs into its field.
QFont DesignFont(const QWidget& form);

}  // namespace zxmaze
