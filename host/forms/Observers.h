#pragma once
// A list of callbacks called after a change, so that a front end can refresh what it shows.
// A callback may add or remove callbacks while it runs; the ones present when Notify began
// are called (those removed meanwhile are skipped).

#include <functional>
#include <utility>
#include <vector>

namespace host {

template <class... Args>
class Observers {
public:
    using Callback = std::function<void(Args...)>;

    // Adds a callback and returns its id for Remove.
    int Add(Callback callback) {
        entries_.push_back({++lastId_, std::move(callback)});
        return lastId_;
    }
    void Remove(int id) {
        std::erase_if(entries_, [id](const Entry& e) { return e.id == id; });
    }
    bool Empty() const { return entries_.empty(); }

    void Notify(Args... args) const {
        std::vector<int> ids;
        ids.reserve(entries_.size());
        for (const Entry& e : entries_) ids.push_back(e.id);
        for (int id : ids) {
            for (const Entry& e : entries_) {
                if (e.id != id) continue;
                Callback callback = e.callback;  // a copy: the callback may remove itself
                callback(args...);
                break;
            }
        }
    }

private:
    struct Entry {
        int id;
        Callback callback;
    };
    std::vector<Entry> entries_;
    int lastId_ = 0;
};

}  // namespace host
