// A print job as a list of operations, so that a report can be computed as a
// plain function and handed to any printer afterwards.
#pragma once

#include <string>
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

}  // namespace ui
