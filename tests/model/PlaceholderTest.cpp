#include <gtest/gtest.h>
TEST(ModelPlaceholder, Builds) { SUCCEED(); }
