#include "app/application_title.hpp"

#include <QFileInfo>

namespace zxmaze {

QString ApplicationTitle(const QString& programPath) {
    const QString fileName = QFileInfo(programPath).fileName();
    const QString name = fileName.left(fileName.indexOf(u'.'));  // no full stop: left(-1) keeps it whole
    return name.left(1) + name.mid(1).toLower();
}

}  // namespace zxmaze
