#include "codecs/ttextlines.h"

#include <gtest/gtest.h>

namespace {

using lines = std::vector<std::string>;

struct splitrow {
  const char* name;
  std::string text;
  lines expected;
};

class splitlines : public testing::TestWithParam<splitrow> {};

TEST_P(splitlines, endsLinesAtCrLfOrCrLf) {
  EXPECT_EQ(codecs::splitlines(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    rows, splitlines,
    testing::Values(splitrow{"empty", "", {}}, splitrow{"noEnd", "a", {"a"}},
                    splitrow{"crlf", "a\r\nb\r\n", {"a", "b"}},
                    splitrow{"lfOnly", "a\nb", {"a", "b"}},
                    splitrow{"crOnly", "a\rb\r", {"a", "b"}},
                    splitrow{"lfcrIsTwoEnds", "a\n\rb", {"a", "", "b"}},
                    splitrow{"emptyLines", "\r\n\r\n", {"", ""}},
                    splitrow{"nulKept", std::string("a\0b", 3), {std::string("a\0b", 3)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(joinlines, endsEveryLineWithCrLfAndSplitsBack) {
  const lines l{"x", "", "y z"};
  EXPECT_EQ(codecs::joinlines(l), "x\r\n\r\ny z\r\n");
  EXPECT_EQ(codecs::splitlines(codecs::joinlines(l)), l);
  EXPECT_EQ(codecs::joinlines({}), "");
}

}  // namespace
