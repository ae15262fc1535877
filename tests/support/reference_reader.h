// The exact reader as the reference for the one-pass reader on raw bytes:
// the whole file decoded, then read line by line. A log read either way must
// give the same records, field for field and bit for bit.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/codepage.h"
#include "core/fields.h"
#include "core/weight_log.h"

namespace core {

struct ReferenceRead {
    std::string text;
    std::vector<RecordView> records;
    int32_t unreadable = 0;
};

inline void readByReference(std::string_view bytes, ReferenceRead& out) {
    out.text = decodeCp932(bytes);
    std::vector<std::string_view> fields;
    forEachLine(out.text, [&](std::string_view l) {
        RecordView r;
        if (parseRecordLine(l, fields, r))
            out.records.push_back(r);
        else if (l.find_first_not_of(" \t") != std::string_view::npos)
            ++out.unreadable;
    });
}

inline void expectSameAsReference(const std::string& bytes, const std::string& what) {
    ParsedLog parsed;
    parseLogBytes(bytes, parsed);
    ReferenceRead ref;
    readByReference(bytes, ref);
    ASSERT_EQ(parsed.records.size(), ref.records.size()) << what;
    EXPECT_EQ(parsed.unreadableLines, ref.unreadable) << what;
    for (size_t i = 0; i < ref.records.size(); ++i) {
        const RecordView& a = parsed.records[i];
        const RecordView& b = ref.records[i];
        EXPECT_EQ(a.Date, b.Date) << what;
        EXPECT_EQ(a.Situation, b.Situation) << what;
        EXPECT_EQ(std::bit_cast<uint32_t>(a.Weight), std::bit_cast<uint32_t>(b.Weight)) << what;
        EXPECT_EQ(a.Diary, b.Diary) << what;
        EXPECT_EQ(a.Spare1, b.Spare1) << what;
        EXPECT_EQ(a.Spare2, b.Spare2) << what;
    }
}

}  // namespace core
