#include "core/memo.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace core {
namespace {

// The text of the box is saved with one CR LF after it and loads back
// exactly, whatever its lines and line ends.
TEST(Memo, SaveAndLoadGiveTheTextBack) {
    struct Case {
        const char* text;
        const char* file;
    };
    const Case cases[] = {
        {"", "\r\n"},
        {"一行", "一行\r\n"},
        {"一\r\n二\r\n三", "一\r\n二\r\n三\r\n"},
        {"最後に空行\r\n", "最後に空行\r\n\r\n"},
        {"\r\n\r\n", "\r\n\r\n\r\n"},
        {"ただのCR\rの後", "ただのCR\rの後\r\n"},
        {"ただのLF\nの後", "ただのLF\nの後\r\n"},
        {"末尾のLF\n", "末尾のLF\n\r\n"},
        {"\"引用符\",も可", "\"引用符\",も可\r\n"},
    };
    for (const auto& c : cases) {
        TempFolder t;
        ASSERT_TRUE(writeMemo(t.dir(), c.text)) << c.text;
        EXPECT_EQ(t.text("気付きメモ.TXT"), c.file) << c.text;
        MemoText read = readMemo(t.dir());
        EXPECT_TRUE(read.status);
        EXPECT_EQ(read.text, c.text);
    }
}

// Files as other editors may leave them.
TEST(Memo, LoadsFilesAsFound) {
    struct Case {
        const char* file;
        const char* text;
    };
    const Case cases[] = {
        {"", ""},
        {"最後に改行なし", "最後に改行なし"},
        {"一\r\n二", "一\r\n二"},
        {"LFだけ\n", "LFだけ\n"},
        {"CRだけ\r", "CRだけ\r"},
    };
    for (const auto& c : cases) {
        TempFolder t;
        t.put("気付きメモ.txt", c.file);
        EXPECT_EQ(readMemo(t.dir()).text, c.text) << c.file;
    }
}

TEST(Memo, MissingIsEmptyAndAnExistingFileKeepsItsName) {
    TempFolder t;
    MemoText missing = readMemo(t.dir());
    EXPECT_EQ(missing.text, "");
    EXPECT_TRUE(missing.status);
    t.put("気付きメモ.txt", "古い\r\n");
    ASSERT_TRUE(writeMemo(t.dir(), "新しい"));
    EXPECT_EQ(t.fileCount(), 1u);
    EXPECT_EQ(t.text("気付きメモ.txt"), "新しい\r\n");
    EXPECT_FALSE(writeMemo(t.dir(), "絵文字😀"));
    EXPECT_EQ(t.text("気付きメモ.txt"), "新しい\r\n");
}

// A save of the box writes only over the memo that the box was filled from;
// one that another program or window changed since stays as it is.
TEST(Memo, ASaveNeverOverwritesAMemoChangedSinceItWasShown) {
    struct Case {
        const char* name;
        const char* file;  // nullptr: no file
        const char* shown;
        bool written;
    };
    const Case cases[] = {
        {"as shown", "古い\r\n", "古い", true},
        {"as shown, with its lines", "一\r\n二\r\n", "一\r\n二", true},
        {"no memo yet", nullptr, "", true},
        {"changed elsewhere", "よそで書いた\r\n", "古い", false},
        {"removed elsewhere", nullptr, "古い", false},
        {"made elsewhere", "よそで書いた\r\n", "", false},
    };
    for (const auto& c : cases) {
        TempFolder t;
        if (c.file) t.put("気付きメモ.txt", c.file);
        Status s = writeMemo(t.dir(), "新しい", c.shown);
        EXPECT_EQ(s.ok(), c.written) << c.name;
        EXPECT_EQ(s.changedUnderneath(), !c.written) << c.name;
        if (c.written) {
            EXPECT_EQ(readMemo(t.dir()).text, "新しい") << c.name;
        } else {
            EXPECT_EQ(t.has("気付きメモ.txt"), c.file != nullptr) << c.name;
            if (c.file) {
                EXPECT_EQ(t.text("気付きメモ.txt"), c.file) << c.name;
            }
        }
        EXPECT_LE(t.fileCount(), 1u) << c.name;
    }
}

}  // namespace
}  // namespace core
