// Conversions between the core's UTF-8 and the files' Windows-1252.

#include <gtest/gtest.h>

#include "files/Codificacion.h"

namespace vortena {
namespace {

struct Par {
    const char* utf8;
    const char* w1252;
};

class Conversion : public ::testing::TestWithParam<Par> {};

TEST_P(Conversion, GoesBothWays) {
    EXPECT_EQ(Utf8A1252(GetParam().utf8), GetParam().w1252);
    EXPECT_EQ(W1252AUtf8(GetParam().w1252), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(Textos, Conversion,
                         ::testing::Values(Par{"abc", "abc"}, Par{"Ñandú", "\xD1" "and\xFA"},
                                           Par{"€ “x” – ž Ÿ", "\x80 \x93x\x94 \x96 \x9E \x9F"},
                                           Par{"\u00A0ÿ", "\xA0\xFF"},
                                           Par{"\u0081\u008D", "\x81\x8D"}));

TEST(Codificacion, EveryByteSurvivesARoundTrip) {
    std::string todos;
    for (int b = 0; b < 256; ++b) todos.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf8A1252(W1252AUtf8(todos)), todos);
}

TEST(Codificacion, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(Utf8A1252("中a😀"), "?a?");
    EXPECT_EQ(Utf8A1252("a\xFF" "b"), "a?b");
}

TEST(Codificacion, InvalidUtf8IsDetected) {
    for (const char* malo : {"\xC0\x80", "\xED\xA0\x80", "\xE2\x82", "\xF5\x80\x80\x80", "\x80",
                             "\xE0\x80\x80", "caf\xE9"})
        EXPECT_FALSE(EsUtf8Valido(malo)) << malo;
    EXPECT_TRUE(EsUtf8Valido("café 中 😀"));
}

TEST(Codificacion, FileTextIsUtf8WhenValidElse1252) {
    EXPECT_EQ(DecodificarArchivo("caf\xC3\xA9"), "café");
    EXPECT_EQ(DecodificarArchivo("caf\xE9"), "café");
    EXPECT_EQ(DecodificarArchivo("\xEF\xBB\xBF%"), "%");
}

}  // namespace
}  // namespace vortena
