#include "fields/fields.h"

#include <gtest/gtest.h>

TEST(Fields, Placeholder) { EXPECT_TRUE(vortel::isBlankField("   ")); }
