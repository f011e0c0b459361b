#include <gtest/gtest.h>
TEST(SourcePlaceholder, Builds) { SUCCEED(); }
