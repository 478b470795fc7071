#include <QApplication>

#include "app/main_window.hpp"
#include "export/file_signals.hpp"

int main(int argc, char** argv) {
    zxmaze::ReportFileErrorsInsteadOfSignals();
    QApplication application(argc, argv);
    zxmaze::MainWindow form1;
    form1.show();
    return QApplication::exec();
}
