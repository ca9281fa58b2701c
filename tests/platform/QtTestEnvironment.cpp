#include "QtTestEnvironment.h"

#include <gtest/gtest.h>

namespace {

char programName[] = "tavrin-test";
char* programArgs[] = {programName, nullptr};
std::unique_ptr<CQtApplication> application;

class CQtTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        SetFatalErrorBoxSuppressed(true);
        application = std::make_unique<CQtApplication>(1, programArgs);
    }
    void TearDown() override { application.reset(); }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new CQtTestEnvironment);

} // namespace

CQtApplication& TestApplication() {
    return *application;
}
