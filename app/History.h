#ifndef HARMODEX_APP_HISTORY_H
#define HARMODEX_APP_HISTORY_H

// The pages the user has seen, for Back and Forward as in a browser: each
// page shown by the user's doing is visited; going back and forward moves
// through them without changing the list, and a page visited after going
// back drops the pages ahead. No GTK here: the window asks and shows.

#include <cstddef>
#include <vector>

class PageHistory {
public:
    // At most this many pages are remembered; the oldest go first.
    static constexpr std::size_t kLimit = 500;

    // A page shown by the user's doing. The page shown already (the same
    // set typed again, a size changed) adds nothing; pages out of the
    // catalogue are ignored.
    void visit(int page);

    bool canGoBack() const { return at_ > 0; }
    bool canGoForward() const { return at_ + 1 < pages_.size(); }

    // The page one step back or forward, which becomes the current one; 0
    // when there is none (nothing changes then).
    int back();
    int forward();

    // The page the history stands at; 0 before the first visit.
    int current() const { return pages_.empty() ? 0 : pages_[at_]; }

private:
    std::vector<int> pages_;
    std::size_t at_ = 0;
};

#endif
