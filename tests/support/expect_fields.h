#pragma once
// Several numeric fields checked in one statement; each one that differs fails on its own, named,
// with both values:  EXPECT_FIELDS(FIELD(s.score, 100), FIELD(s.stage, 1)) << "the case";
#include <gtest/gtest.h>

namespace quandel::testing {
struct FieldCheck {
  const char* name;
  double actual, expected;
};
}  // namespace quandel::testing

#define FIELD(actual, expected) \
  ::quandel::testing::FieldCheck { #actual, static_cast < double>(actual), static_cast < double>(expected) }

#define EXPECT_FIELDS(...)                                                                               \
  for (const ::quandel::testing::FieldCheck& field_ : {__VA_ARGS__})                                     \
    if (field_.actual == field_.expected) {                                                              \
    } else                                                                                               \
      ADD_FAILURE() << field_.name << " is " << ::testing::PrintToString(field_.actual) << ", expected " \
                    << ::testing::PrintToString(field_.expected) << " "
