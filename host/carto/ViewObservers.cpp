#include "host/carto/ViewObservers.h"

#include <algorithm>

namespace host {

long ViewObservers::Add(Observer observer) {
    long token = nextToken_++;
    observers_.emplace_back(token, std::move(observer));
    return token;
}

void ViewObservers::Remove(long token) {
    std::erase_if(observers_, [token](const auto& entry) { return entry.first == token; });
}

void ViewObservers::Notify(ViewEvent event) const {
    // A copy, so an observer that subscribes or unsubscribes does not upset the walk.
    auto observers = observers_;
    for (const auto& [token, observer] : observers) {
        bool stillSubscribed = std::any_of(observers_.begin(), observers_.end(),
                                           [t = token](const auto& entry) { return entry.first == t; });
        if (stillSubscribed && observer) observer(event);
    }
}

}  // namespace host
