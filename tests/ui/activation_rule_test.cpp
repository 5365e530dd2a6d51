#include "ui/activation_rule.h"

#include <gtest/gtest.h>

namespace tarvex::ui {
namespace {

TEST(ActivationRule, FirstShowingAndReturnsFromAnotherOwnWindowOnly) {
  ActivationRule rule;
  int main = 0, about = 0;
  EXPECT_TRUE(rule.BecameActive(&main)) << "first showing";
  EXPECT_FALSE(rule.BecameActive(&main)) << "back from a message box or another program";
  EXPECT_TRUE(rule.BecameActive(&about));
  EXPECT_TRUE(rule.BecameActive(&main)) << "back from another of the program's windows";
  rule.BecameActive(&about);
  rule.Forget(&about);  // closed
  EXPECT_TRUE(rule.BecameActive(&main));
  rule.Forget(&about);  // not the last one: changes nothing
  EXPECT_FALSE(rule.BecameActive(&main));
}

}  // namespace
}  // namespace tarvex::ui
