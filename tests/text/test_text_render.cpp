#include <gtest/gtest.h>
TEST(TextRender, Placeholder) {}
