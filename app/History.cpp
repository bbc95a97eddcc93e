#include "app/History.h"

#include "pcset/PitchUniverse.h"

void PageHistory::visit(int page)
{
    if (page < 1 || page > PitchUniverse::NumTnTypes || page == current())
        return;
    if (!pages_.empty())
        pages_.resize(at_ + 1);  // the pages ahead are left behind
    pages_.push_back(page);
    if (pages_.size() > kLimit)
        pages_.erase(pages_.begin());
    at_ = pages_.size() - 1;
}

int PageHistory::back()
{
    if (!canGoBack())
        return 0;
    return pages_[--at_];
}

int PageHistory::forward()
{
    if (!canGoForward())
        return 0;
    return pages_[++at_];
}
