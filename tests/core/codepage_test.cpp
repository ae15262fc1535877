#include "core/codepage.h"

#include <gtest/gtest.h>

namespace core {
namespace {

TEST(Codepage, RoundTripsEveryFileNameAndTrickyCharacters) {
    const char* texts[] = {"データ.txt",
                           "データコピー.txt",
                           "データＣＨＧ.txt",
                           "連続体重.txt",
                           "連続体重bak.txt",
                           "設定.TXT",
                           "自動時間.TXT",
                           "移動平均.TXT",
                           "体重計刻み.txt",
                           "マーカー.TXT",
                           "ﾌﾟﾗｲﾍﾞｰﾄ.txt",
                           "換算.txt",
                           "状況リスト.txt",
                           "状況リストＣＨＧ.txt",
                           "気付きメモ.txt",
                           "貯金推移.txt",
                           "日毎平均.txt",
                           "～",
                           "髙",
                           "①",
                           "C:\\dir",
                           "0.0～",
                           "(^o^)／",
                           "…",
                           "－"};
    for (const char* text : texts) {
        auto bytes = encodeCp932(text);
        ASSERT_TRUE(bytes) << text;
        EXPECT_EQ(decodeCp932(*bytes), text);
    }
}

TEST(Codepage, BackslashAndTildeStayAscii) {
    EXPECT_EQ(encodeCp932("\\~").value(), "\\~");
    EXPECT_EQ(encodeCp932("～").value(), "\x81\x60");
}

TEST(Codepage, RefusesWhatItCannotHold) {
    EXPECT_FALSE(encodeCp932("体重😀"));
    EXPECT_TRUE(isStorableText("朝食前、散歩"));
    EXPECT_TRUE(isStorableText(""));
    EXPECT_FALSE(isStorableText("a\"b"));
    EXPECT_FALSE(isStorableText("a\nb"));
    EXPECT_FALSE(isStorableText("a\rb"));
    EXPECT_FALSE(isStorableText("😀"));
}

TEST(Codepage, MarksInvalidBytesAndGoesOn) {
    std::string decoded = decodeCp932(
        "ab\x81\x20"
        "cd\x82");
    EXPECT_EQ(decoded.substr(0, 2), "ab");
    EXPECT_NE(decoded.find(kBadByteMark), std::string::npos);
    EXPECT_NE(decoded.find("cd"), std::string::npos);
}

TEST(Codepage, DecodesALargeTextInOnePiece) {
    std::string big;
    for (int i = 0; i < 5000; ++i) big += encodeCp932("\"2024/06/01\",\"朝食前\",65.3\r\n").value();
    std::string decoded = decodeCp932(big);
    EXPECT_EQ(decoded.size(), 5000 * std::string("\"2024/06/01\",\"朝食前\",65.3\r\n").size());
}

}  // namespace
}  // namespace core
