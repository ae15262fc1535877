// The four lists of the analysis panel (fraBunseki), worked out from the
// trend series: every weighing with its difference (msgB1), the half-kilogram
// milestones of the loss (msgB2), the running average with its streak
// (msgB3) and the ranking of weight bands (msgB4). Each list is as long as the
// data needs, up to 32,767 rows.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/trend.h"

namespace analysis {

// The most rows a list holds, as many as the log can have records.
inline constexpr int32_t kMaxListRows = 32767;

// The four cells of a data row, columns 0 to 3.
using ListRow = std::array<std::string, 4>;

// Option1: the difference to the previous weighing (0) or to the first (1).
enum class DiffBase { Previous, First };

// The two long lists, one row per weighing, make a row's texts only when it
// is asked for; every list has size() and row(i).
struct JikeiList {
    std::string header3;  // "前回差" or "初回差"
    std::shared_ptr<const Trend> trend;
    DiffBase base = DiffBase::Previous;

    size_t size() const { return trend->TrendWeights.size(); }
    ListRow row(size_t i) const;
};

// msgB1: "1回目", date, "75.0Kg", "-0.4Kg" (the difference rounded to 0.1,
// halves upward, with "±" for none and "+" for a gain).
JikeiList jikeiList(std::shared_ptr<const Trend> trend, DiffBase base);

struct KugiriList {
    // One row per half kilogram of the best loss; a row that no weighing
    // reached (single precision can miss the rounded best loss) stays empty.
    std::vector<ListRow> rows;
    // Label5(0), none when there is no row (the label keeps its text).
    std::optional<std::string> note;

    size_t size() const { return rows.size(); }
    const ListRow& row(size_t i) const { return rows.at(i); }
};

// msgB2: "0.5Kg減", the date that first reached it, the days since the start
// and since the milestone before.
KugiriList kugiriList(const Trend& trend);

struct HeikinList {
    std::shared_ptr<const Trend> trend;
    std::vector<float> averages;  // the running average at each weighing
    int32_t streak = 0;           // weighings since the running average last rose
    std::string note;             // Label5(1)

    size_t size() const { return averages.size(); }
    ListRow row(size_t i) const;
};

// msgB3: "1回目", "70.0Kg", the running average "69.333Kg" and its change in
// grams "-167g", all in single precision.
HeikinList heikinList(std::shared_ptr<const Trend> trend);

// Option2: bands of 1.0 kg (0) or 0.5 kg (1).
enum class BandWidth { OneKilogram, HalfKilogram };

struct BanzukeList {
    std::string caption;  // of fraB4
    std::vector<ListRow> rows;

    size_t size() const { return rows.size(); }
    const ListRow& row(size_t i) const { return rows.at(i); }
};

// msgB4: the bands that hold at least one weighing, most weighings first:
// "1位", "70.0～70.9Kg", "3回", and from the second rank the weighings behind
// the rank above.
BanzukeList banzukeList(const Trend& trend, BandWidth width);

// The order of the ranking: for each position, every later band with more
// weighings is exchanged into it in turn. Ties keep the order this exchange
// leaves; bands without weighings do not change it and are left out.
struct WeightBand {
    double lower = 0;
    int32_t count = 0;
};
void rankBands(std::vector<WeightBand>& bands);

}  // namespace analysis
