#pragma once
// A list of callbacks called after a change, so that a front end can refresh what it shows:
// the forms' and controls' change observers and the map views' observers. Callbacks are
// called synchronously, in the order they were added. A callback may add or remove callbacks
// while it runs; the ones present when Notify began are called (those removed meanwhile are
// skipped).

#include <functional>
#include <utility>
#include <vector>

namespace host {

template <class... Args> class Observers {
public:
    using Callback = std::function<void(Args...)>;

    // Adds a callback and returns its token for Remove.
    long Add(Callback callback) {
        entries_.push_back({++lastToken_, std::move(callback)});
        return lastToken_;
    }
    void Remove(long token) {
        std::erase_if(entries_, [token](const Entry& e) { return e.token == token; });
    }
    bool Empty() const { return entries_.empty(); }

    void Notify(Args... args) const {
        std::vector<long> tokens;
        tokens.reserve(entries_.size());
        for (const Entry& e : entries_) tokens.push_back(e.token);
        for (long token : tokens) {
            for (const Entry& e : entries_) {
                if (e.token != token) continue;
                Callback callback = e.callback;  // a copy: the callback may remove itself
                if (callback) callback(args...);
                break;
            }
        }
    }

private:
    struct Entry {
        long token;
        Callback callback;
    };
    std::vector<Entry> entries_;
    long lastToken_ = 0;
};

}  // namespace host
