// The weighed days of a set of records: each calendar day that has weighings,
// in date order, with the mean of its weights. The smoothed trend and the
// weekly and monthly averages start from these days.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "analysis/trend_source.h"
#include "core/dates.h"
#include "core/weight_log.h"

namespace analysis {

// A day as a number: days since 1970/01/01 (negative before it), so that the
// distance between two days is a subtraction.
using DayNumber = int32_t;

DayNumber dayNumber(core::Date date);
core::Date dateOfDay(DayNumber day);

struct DayMean {
    DayNumber day = 0;
    // The day's single-precision weights summed in double precision (in the
    // order of the records), divided by their count.
    double mean = 0;
};

struct DayMeans {
    std::vector<DayMean> days;  // the weighed days, in date order
    // For each record in the order given: the index of its day in `days`, or
    // -1 for a record whose date is no date.
    std::vector<int32_t> dayOfRecord;
    int32_t unreadableDates = 0;
    float lowest = 0, highest = 0;  // the lowest and highest single weighing
};

// The weighed days of the records, whatever their order; records whose date
// cannot be read are left out and counted.
DayMeans dayMeans(std::span<const core::WeightRecord> records);

// The days that feed the smoothed trend from this source, each with the
// value the trend takes in: the day's mean, its first weighing in the order
// of the records, its lowest, or the mean of its weighings of the source's
// situation (a day without one is no such day). `dayOfRecord` gives each
// record the last of these days up to its date, or -1 before the first and
// after the last of them. Every weighing of the day gives dayMeans itself.
DayMeans sourceDays(std::span<const core::WeightRecord> records, const TrendSource& source);

// A record with a readable date: its day, its weight and its place in the
// records.
struct DatedWeight {
    DayNumber day;
    float weight;
    int32_t record;
};

// The records with a readable date, by day, each day's records in the order
// given; `unreadable` counts the others.
std::vector<DatedWeight> datedWeights(std::span<const core::WeightRecord> records,
                                      int32_t& unreadable);

}  // namespace analysis
