#include "records/list_print.h"

#include <gtest/gtest.h>

namespace records {
namespace {

size_t codePoints(const std::string& text) {
    size_t n = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

const ui::PrintJob kPage = {
    ui::printX(0),
    ui::printY(0),
    ui::printPicture("mcrBunseki"),
    ui::printY(5000),
    ui::printText("　日付け    　　  状況"),
    ui::printX(3000),
    ui::printText("体重"),
    ui::printZone(),
    ui::printText("ＢＭＩ"),
    ui::printZone(),
    ui::printText("肥満度"),
    ui::printNewLine(),
    ui::printText("--------------------------------------------------------------"),
    ui::printNewLine(),
};

// The captions of the figures stand where the figures do: from x 3000, one
// zone apart, as each row's.
TEST(ListPrint, HeaderAndRule) {
    EXPECT_EQ(codePoints(listPrintHeader()), 14u);
    EXPECT_EQ(listPrintHeader(), kPage[4].text);
    EXPECT_EQ(listPrintRule().size(), 62u);
}

TEST(ListPrint, OneLinePerListedRow) {
    struct Case {
        const char* what;
        std::vector<core::WeightRecord> log;
        ListFilter filter;
        float height;
        std::vector<ui::PrintOp> lines;
    };
    const std::vector<core::WeightRecord> log = {
        {"2003/11/01", "朝食前", 70.0f, {}, {}, {}},
        {"2003/11/01", "とても長い状況の説明がここに入ります", 71.3f, {}, {}, {}},
    };
    const Case cases[] = {
        {"nothing listed: picture, header and rule", log, {.keyword = "無"}, 200, {}},
        {"a filtered list prints its own rows only",
         log,
         {.keyword = "長い"},
         200,
         {ui::printText("2003/11/01　　とても長い状況の説明がここに入ります"), ui::printX(3000),
          ui::printText("71.3Kg"), ui::printZone(), ui::printText("17.8"), ui::printZone(),
          ui::printText("-19.0%"), ui::printNewLine()}},
        {"without a height the figures print empty",
         log,
         {.keyword = "朝"},
         0,
         {ui::printText("2003/11/01　　朝食前"), ui::printX(3000), ui::printText("70.0Kg"),
          ui::printZone(), ui::printText(""), ui::printZone(), ui::printText(""),
          ui::printNewLine()}},
    };
    for (const auto& c : cases) {
        ui::PrintJob expected = kPage;
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        expected.push_back(ui::printEndDoc());
        RangeList list = rangeList(c.log, c.filter, c.height);
        std::vector<ListRow> rows;
        for (size_t i = 0; i < list.size(); ++i) rows.push_back(list.row(i));
        EXPECT_EQ(listPrintJob(rows), expected) << c.what;
    }
}

}  // namespace
}  // namespace records
