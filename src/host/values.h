// Values that several panels read, read from the person's files or worked
// out from the log: kept by the window under their type, so that the
// window's framework needs to know none of them. A value is either set by
// whoever owns it (the profile and the small settings when they are read or
// saved, the conversion table after it is read or edited) or worked out
// from the log once per change of the log (the trend), on the first request
// after the change.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

#include "core/weight_log.h"

namespace host {

class Values {
  public:
    // The value of type T last set, or a default one.
    template <typename T>
    const T& get() {
        auto& slot = slots_[typeid(T)];
        if (!slot.value) slot.value = std::make_shared<const T>();
        return *static_cast<const T*>(slot.value.get());
    }
    template <typename T>
    void set(T value) {
        slots_[typeid(T)] = {std::make_shared<const T>(std::move(value)), nullptr};
    }

    // The value that `compute(log->records)` gives, kept while the same read
    // of the log is the current one: a log read again (it changed) makes it
    // anew. Shared, so that a list can keep what it shows.
    template <typename T, typename Compute>
    std::shared_ptr<const T> fromLog(const std::shared_ptr<const core::LogRecords>& log,
                                     Compute&& compute) {
        return fromLog<T>(log, std::forward<Compute>(compute), [](const T&) { return true; });
    }
    // The same, made anew also when the value kept does not `fit` (it was
    // worked out for another choice of the user's).
    template <typename T, typename Compute, typename Fits>
    std::shared_ptr<const T> fromLog(const std::shared_ptr<const core::LogRecords>& log,
                                     Compute&& compute, Fits&& fits) {
        auto& slot = slots_[typeid(T)];
        if (!slot.value || slot.log != log || !fits(*static_cast<const T*>(slot.value.get())))
            slot = {std::make_shared<const T>(compute(log->records)), log};
        return std::static_pointer_cast<const T>(slot.value);
    }

    // A panel that shows a value asks to hear whenever another one works it
    // out anew (the trend chart, when the analysis panel rebuilds the trend).
    template <typename T>
    void listen(std::function<void(const std::shared_ptr<const T>&)> listener) {
        listeners_[typeid(T)].push_back([listener = std::move(listener)](const void* value) {
            listener(*static_cast<const std::shared_ptr<const T>*>(value));
        });
    }
    // Tells every listener of T that this value was worked out anew.
    template <typename T>
    void announce(const std::shared_ptr<const T>& value) {
        for (const auto& listener : listeners_[typeid(T)]) listener(&value);
    }

  private:
    struct Slot {
        std::shared_ptr<const void> value;
        std::shared_ptr<const core::LogRecords> log;  // the read it was worked out from
    };
    std::map<std::type_index, Slot> slots_;
    std::map<std::type_index, std::vector<std::function<void(const void*)>>> listeners_;
};

}  // namespace host
