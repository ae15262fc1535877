// A print job as a list of operations, so that a report can be computed as a
// plain function and handed to any printer afterwards.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

struct PrintOp {
    enum class Kind { X, Y, Print, Zone, NewLine, Picture, EndDoc };
    Kind kind;
    int twips = 0;     // X and Y: the position
    std::string text;  // Print: the text; Picture: the chart's name
    bool operator==(const PrintOp&) const = default;
};

using PrintJob = std::vector<PrintOp>;

inline PrintOp printX(int twips) {
    return {PrintOp::Kind::X, twips, {}};
}
inline PrintOp printY(int twips) {
    return {PrintOp::Kind::Y, twips, {}};
}
inline PrintOp printText(std::string text) {
    return {PrintOp::Kind::Print, 0, std::move(text)};
}
inline PrintOp printZone() {
    return {PrintOp::Kind::Zone, 0, {}};
}
inline PrintOp printNewLine() {
    return {PrintOp::Kind::NewLine, 0, {}};
}
inline PrintOp printPicture(std::string chart) {
    return {PrintOp::Kind::Picture, 0, std::move(chart)};
}
inline PrintOp printEndDoc() {
    return {PrintOp::Kind::EndDoc, 0, {}};
}

// The room a picture may fill, in twips from the top left of the printable
// area: across up to `right`, down up to `bottom`; a side left open reaches
// the edge of the printable area. A printer scales the picture down into it.
struct PictureBox {
    std::optional<int> right;
    std::optional<int> bottom;
    bool operator==(const PictureBox&) const = default;
};

// The space kept between a picture and the text beside or below it.
inline constexpr int kPictureGap = 180;

// Where the print position is, as far as the operations tell without a
// printer: a text or a zone moves x by widths, a new line moves y by a line
// height, that only the printer knows.
struct PrintPosition {
    std::optional<int> x = 0;
    std::optional<int> y = 0;

    void follow(const PrintOp& op) {
        switch (op.kind) {
            case PrintOp::Kind::X:
                x = op.twips;
                break;
            case PrintOp::Kind::Y:
                y = op.twips;
                break;
            case PrintOp::Kind::Print:
            case PrintOp::Kind::Zone:
                x.reset();
                break;
            case PrintOp::Kind::NewLine:
                x = 0;
                y.reset();
                break;
            case PrintOp::Kind::Picture:
            case PrintOp::Kind::EndDoc:
                break;
        }
    }
};

// The room of the picture at `index`: up to where the job prints next. The
// picture is painted where the operations before it leave the position; the
// positions set after it, up to the text that follows, say where that text
// goes. A text lower down ends the picture above it, a text at the same
// height further right ends it to its left, kPictureGap short of the text
// either way. Without such a text the room is open.
inline PictureBox pictureBox(const PrintJob& job, size_t index) {
    PrintPosition at;
    for (size_t i = 0; i < index && i < job.size(); ++i) at.follow(job[i]);
    PrintPosition next = at;
    size_t i = index + 1;
    while (i < job.size() && (job[i].kind == PrintOp::Kind::X || job[i].kind == PrintOp::Kind::Y))
        next.follow(job[i++]);
    const bool textFollows = i < job.size() && job[i].kind == PrintOp::Kind::Print;
    if (!textFollows || !at.x || !at.y || !next.x || !next.y) return {};
    if (*next.y > *at.y) return {.right = std::nullopt, .bottom = *next.y - kPictureGap};
    if (*next.y == *at.y && *next.x > *at.x)
        return {.right = *next.x - kPictureGap, .bottom = std::nullopt};
    return {};
}

// The fonts of the printouts, in the order they are tried: monospaced
// Japanese fonts, in which a full-width character is as wide as two
// half-width ones, so that a header spaced with both stands over its
// columns. MS Gothic has a name of each kind.
inline constexpr std::array<std::string_view, 8> kPrintFamilies = {
    "Noto Sans Mono CJK JP",
    "MS Gothic",
    "ＭＳ ゴシック",
    "VL Gothic",
    "IPAGothic",
    "TakaoGothic",
    "Noto Sans Mono CJK SC",
    "Noto Sans Mono CJK TC",
};

struct PrintFont {
    std::string family;
    bool listed = true;  // one of kPrintFamilies, not the system's fallback
};

// The first of kPrintFamilies that the system `has`, else its monospaced
// font `fallback`.
inline PrintFont choosePrintFont(const std::function<bool(std::string_view)>& has,
                                 std::string fallback) {
    for (std::string_view family : kPrintFamilies)
        if (has(family)) return {std::string(family), true};
    return {std::move(fallback), false};
}

// What the user is told after a job printed in a font outside the list.
inline std::string printFontNote(std::string_view family) {
    return "日本語の等幅フォント（Noto Sans Mono CJK JP または ＭＳ ゴシック）が見つからないため、"
           "「" +
           std::string(family) + "」で印刷しました。\r\n表の列がそろわないことがあります。";
}

}  // namespace ui
