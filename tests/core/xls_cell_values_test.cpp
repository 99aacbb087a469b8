#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "core/xls/cell_values.h"
#include "core/xls/number_text.h"

namespace {

struct NumberCase {
  double value;
  const wchar_t* text;
};

class XlsNumberTextTest : public testing::TestWithParam<NumberCase> {};

TEST_P(XlsNumberTextTest, GivesTheShortestRoundTrippingText) {
  EXPECT_EQ(xls::NumberText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, XlsNumberTextTest,
    testing::Values(
        NumberCase{1, L"1"}, NumberCase{2.5, L"2.5"}, NumberCase{-3, L"-3"},
        NumberCase{0.1, L"0.1"}, NumberCase{0, L"0"}, NumberCase{-0.0, L"0"},
        NumberCase{100, L"100"}, NumberCase{1234567, L"1234567"},
        NumberCase{0.1 + 0.2, L"0.30000000000000004"}, NumberCase{1.0 / 3, L"0.3333333333333333"},
        NumberCase{-45.67, L"-45.67"}, NumberCase{1e15, L"1000000000000000"},
        NumberCase{9007199254740993.0, L"9007199254740992"},
        NumberCase{123456789012345680000.0, L"123456789012345680000"}, NumberCase{1e21, L"1e+21"},
        NumberCase{-1.5e21, L"-1.5e+21"}, NumberCase{1e300, L"1e+300"},
        NumberCase{1.7976931348623157e308, L"1.7976931348623157e+308"},
        NumberCase{0.000001, L"0.000001"}, NumberCase{0.0000015, L"0.0000015"},
        NumberCase{1e-7, L"1e-7"}, NumberCase{-1.5e-7, L"-1.5e-7"}, NumberCase{5e-324, L"5e-324"},
        NumberCase{std::numeric_limits<double>::infinity(), L"#NUM!"},
        NumberCase{std::numeric_limits<double>::quiet_NaN(), L"#NUM!"}));

struct RkCase {
  std::uint32_t rk;
  double value;
};

class XlsRkTest : public testing::TestWithParam<RkCase> {};

TEST_P(XlsRkTest, Decodes) {
  EXPECT_EQ(xls::DecodeRk(GetParam().rk), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, XlsRkTest,
    testing::Values(
        // Integers: value << 2 | 2.
        RkCase{(1u << 2) | 2, 1}, RkCase{(static_cast<std::uint32_t>(-3) << 2) | 2, -3},
        RkCase{(536870911u << 2) | 2, 536870911}, RkCase{0x80000002u, -536870912},
        // Integers divided by 100.
        RkCase{(123u << 2) | 3, 1.23}, RkCase{(static_cast<std::uint32_t>(-4567) << 2) | 3, -45.67},
        // The upper 30 bits of a double.
        RkCase{0x3FF00000u, 1.0}, RkCase{0x40040000u, 2.5}, RkCase{0xC0080000u, -3.0},
        // Upper bits of a double, divided by 100.
        RkCase{0x40590000u | 1, 1.0}));

TEST(XlsCellValuesTest, BooleansReadAsExcelShowsThem) {
  EXPECT_EQ(xls::BooleanText(true), L"TRUE");
  EXPECT_EQ(xls::BooleanText(false), L"FALSE");
}

struct ErrorCase {
  std::uint8_t code;
  const wchar_t* text;
};

class XlsErrorTextTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(XlsErrorTextTest, GivesExcelsLiteral) {
  EXPECT_EQ(xls::ErrorText(GetParam().code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Codes, XlsErrorTextTest,
                         testing::Values(ErrorCase{0x00, L"#NULL!"}, ErrorCase{0x07, L"#DIV/0!"},
                                         ErrorCase{0x0F, L"#VALUE!"}, ErrorCase{0x17, L"#REF!"},
                                         ErrorCase{0x1D, L"#NAME?"}, ErrorCase{0x24, L"#NUM!"},
                                         ErrorCase{0x2A, L"#N/A"},
                                         ErrorCase{0x2B, L"#GETTING_DATA"},
                                         ErrorCase{0x99, L"#N/A"}));

}  // namespace
