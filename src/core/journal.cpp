#include "core/journal.h"

#include <algorithm>

#include "core/fields.h"
#include "core/platform.h"

namespace core {
namespace {

// FNV-1a: a change of any byte changes the hash, and a file that another
// program rewrote to other bytes of the same size is told apart.
uint64_t hashOf(std::string_view a, std::string_view b = {}, std::string_view c = {}) {
    uint64_t h = 14695981039346656037ULL;
    for (std::string_view part : {a, b, c})
        for (char ch : part) {
            h ^= static_cast<unsigned char>(ch);
            h *= 1099511628211ULL;
        }
    return h;
}

// Whether `now` (missing or its bytes) is the side recorded, the parts shared
// with the other side being taken from `now` itself.
bool holds(const FileBytes& now, size_t prefix, const std::string& middle, bool exists, size_t size,
           uint64_t hash) {
    if (now.bytes.has_value() != exists) return false;
    if (!exists) return true;
    const std::string& bytes = *now.bytes;
    if (bytes.size() != size || bytes.compare(prefix, middle.size(), middle) != 0) return false;
    return hashOf(bytes) == hash;
}

// The name as the folder spells it, or the journalled spelling when the file
// is missing.
std::string spellingOf(const DataDir& dir, std::string_view name) {
    auto found = dir.find(name);
    return found ? platform::utf8Of(found->filename()) : std::string(name);
}

}  // namespace

std::string_view journalledName(std::string_view name) {
    const std::string folded = foldAsciiCase(name);
    for (std::string_view known : kJournalledFiles)
        if (foldAsciiCase(known) == folded) return known;
    return {};
}

void Journal::begin(const DataDir& dir, std::string description) {
    if (depth_++ > 0) return;
    actDir_ = &dir;
    actDescription_ = std::move(description);
    captured_.clear();
    actBroken_ = false;
}

void Journal::describe(std::string description) {
    if (depth_ > 0) actDescription_ = std::move(description);
}

void Journal::beforeWrite(const DataDir& dir, std::string_view name) {
    if (replaying_) return;
    std::string_view known = journalledName(name);
    if (known.empty()) return;
    if (depth_ == 0) {
        clear();
        return;
    }
    for (const Captured& c : captured_)
        if (c.name == known) return;
    FileBytes now = dir.readFile(known);
    if (!now.status) actBroken_ = true;
    captured_.push_back({std::string(known), now.bytes.has_value(), spellingOf(dir, known),
                         now.bytes.value_or("")});
}

void Journal::end() {
    if (depth_ == 0 || --depth_ > 0) return;
    const DataDir& dir = *actDir_;
    actDir_ = nullptr;
    std::vector<Captured> captured = std::move(captured_);
    captured_.clear();
    if (actBroken_) {
        clear();
        return;
    }
    Entry entry{std::move(actDescription_), {}};
    for (Captured& c : captured) {
        FileBytes now = dir.readFile(c.name);
        if (!now.status) {
            clear();
            return;
        }
        if (now.bytes.has_value() == c.exists && (!c.exists || *now.bytes == c.bytes)) continue;
        const std::string& before = c.bytes;
        const std::string after = now.bytes.value_or("");
        const size_t shorter = std::min(before.size(), after.size());
        size_t prefix = 0;
        while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
        size_t suffix = 0;
        while (suffix < shorter - prefix &&
               before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
            ++suffix;
        auto side = [&](const std::string& bytes, bool exists, std::string spelling) {
            return Side{exists, std::move(spelling), bytes.size(), hashOf(bytes),
                        bytes.substr(prefix, bytes.size() - prefix - suffix)};
        };
        entry.files.push_back({c.name, prefix, suffix, side(before, c.exists, c.spelling),
                               side(after, now.bytes.has_value(), spellingOf(dir, c.name))});
    }
    if (entry.files.empty()) return;
    undo_.push_back(std::move(entry));
    if (undo_.size() > kLimit) undo_.pop_front();
    redo_.clear();
}

const std::string& Journal::undoDescription() const {
    static const std::string kNone;
    return undo_.empty() ? kNone : undo_.back().description;
}

const std::string& Journal::redoDescription() const {
    static const std::string kNone;
    return redo_.empty() ? kNone : redo_.back().description;
}

void Journal::clear() {
    undo_.clear();
    redo_.clear();
}

Journal::Outcome Journal::undo(const DataDir& dir) {
    return replay(dir, undo_, redo_, true);
}

Journal::Outcome Journal::redo(const DataDir& dir) {
    return replay(dir, redo_, undo_, false);
}

Journal::Outcome Journal::replay(const DataDir& dir, std::deque<Entry>& from, std::deque<Entry>& to,
                                 bool backwards) {
    Outcome outcome;
    if (from.empty()) return outcome;
    const Entry& entry = from.back();
    outcome.description = entry.description;
    // What each file holds now, and what it is to hold.
    struct Step {
        const FileChange* change;
        std::string now;
        bool nowExists;
        std::string target;
        bool targetExists;
        std::string nowSpelling;
        std::string targetSpelling;
    };
    std::vector<Step> steps;
    for (const FileChange& f : entry.files) {
        const Side& have = backwards ? f.after : f.before;
        const Side& want = backwards ? f.before : f.after;
        FileBytes now = dir.readFile(f.name);
        if (!now.status) {
            outcome.kind = Outcome::Kind::Failed;
            outcome.fileName = f.name;
            outcome.status = now.status;
            return outcome;
        }
        if (!holds(now, f.prefix, have.middle, have.exists, have.size, have.hash)) {
            outcome.kind = Outcome::Kind::Changed;
            outcome.fileName = f.name;
            clear();
            return outcome;
        }
        std::string bytes = now.bytes.value_or("");
        std::string target;
        if (want.exists) {
            target = bytes.substr(0, f.prefix) + want.middle +
                     bytes.substr(bytes.size() - f.suffix, f.suffix);
        }
        steps.push_back({&f, std::move(bytes), have.exists, std::move(target), want.exists,
                         have.spelling, want.spelling});
    }
    replaying_ = true;
    auto put = [&dir](const std::string& name, bool exists, const std::string& bytes) {
        return exists ? dir.writeBytes(name, bytes) : dir.remove(name);
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        Status written = put(steps[i].targetSpelling, steps[i].targetExists, steps[i].target);
        if (written) continue;
        // Every file goes back to what it held before this call.
        for (size_t j = 0; j < i; ++j)
            (void)put(steps[j].nowSpelling, steps[j].nowExists, steps[j].now);
        replaying_ = false;
        outcome.kind = Outcome::Kind::Failed;
        outcome.fileName = steps[i].change->name;
        outcome.status = written;
        return outcome;
    }
    replaying_ = false;
    for (const Step& s : steps) outcome.files.push_back(s.change->name);
    to.push_back(std::move(from.back()));
    from.pop_back();
    return outcome;
}

JournalAct::JournalAct(const DataDir& dir, std::string description) : journal_(dir.journal()) {
    if (journal_) journal_->begin(dir, std::move(description));
}

JournalAct::~JournalAct() {
    if (journal_) journal_->end();
}

void JournalAct::describe(std::string description) {
    if (journal_) journal_->describe(std::move(description));
}

}  // namespace core
