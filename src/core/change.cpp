#include "core/change.h"

#include "core/numbers.h"

namespace core {

Change changeOf(double difference) {
    if (difference > 0) return Change::Up;
    if (difference < 0) return Change::Down;
    return Change::Same;
}

Change shownChangeOf(double difference) {
    return changeOf(Val(Format(difference, "0.0")));
}

std::string_view changeWord(Change change) {
    switch (change) {
        case Change::Up:
            return " 増";
        case Change::Down:
            return " 減";
        case Change::Same:
            break;
    }
    return " 同";
}

}  // namespace core
