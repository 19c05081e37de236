#include "model/user_message.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(UserMessage, InternalErrorNamesTheExceptionWhenItHasAText) {
    EXPECT_EQ(InternalErrorMessage("bad index").text,
              "Die Aktion wurde wegen eines internen Fehlers abgebrochen (bad index).");
    EXPECT_EQ(InternalErrorMessage("").text,
              "Die Aktion wurde wegen eines internen Fehlers abgebrochen.");
}

}  // namespace
}  // namespace vx
