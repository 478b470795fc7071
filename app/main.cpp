#include <QApplication>

#include "app/main_window.hpp"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    zxmaze::MainWindow form1;
    form1.show();
    return QApplication::exec();
}
