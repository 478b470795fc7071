// main() of the window tests: one QApplication for the whole test program, made only when tests
// run (listing them needs no platform).
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

class QtApplication : public ::testing::Environment {
public:
    QtApplication(int argc, char** argv) : argc_(argc), argv_(argv) {}

    void SetUp() override { application_ = std::make_unique<QApplication>(argc_, argv_); }
    void TearDown() override { application_.reset(); }

private:
    int argc_;  // QApplication keeps a reference to it
    char** argv_;
    std::unique_ptr<QApplication> application_;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new QtApplication(argc, argv));
    return RUN_ALL_TESTS();
}
