#include "codecs/tcp1252.h"

#include <gtest/gtest.h>

namespace {

struct cprow {
  const char* name;
  std::string in;
  std::string out;
};

class cp1252toutf8 : public testing::TestWithParam<cprow> {};

TEST_P(cp1252toutf8, mapsEveryByte) { EXPECT_EQ(codecs::cp1252toutf8(GetParam().in), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(
    rows, cp1252toutf8,
    testing::Values(cprow{"ascii", "a*x^2", "a*x^2"}, cprow{"nul", std::string("\0", 1), std::string("\0", 1)},
                    cprow{"norwegian", "\xe6\xf8\xe5\xc6\xd8\xc5", "æøåÆØÅ"},
                    cprow{"squared", "x\xb2", "x²"}, cprow{"euro", "\x80", "€"},
                    cprow{"quotes", "\x93\x94", "“”"}, cprow{"yDiaeresis", "\x9f\xff", "Ÿÿ"},
                    cprow{"undefinedByte", "\x81", "\xc2\x81"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
