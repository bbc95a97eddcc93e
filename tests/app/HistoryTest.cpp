// Back and Forward through the pages seen.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/History.h"

namespace {

// A history driven by a script: a number visits that page, '<' goes back,
// '>' goes forward; after it, the page it stands at and what it allows.
struct Step {
    std::string op;  // "24", "<" or ">"
    int returned;    // what back()/forward() returned; for a visit, unused
    int current;
    bool back, forward;
};

TEST(PageHistory, MovesAsABrowserDoes)
{
    const std::vector<Step> script = {
        {"<", 0, 0, false, false},     // nothing seen: nowhere to go
        {"24", 0, 24, false, false},   //
        {"24", 0, 24, false, false},   // the same page again adds nothing
        {"25", 0, 25, true, false},    //
        {"351", 0, 351, true, false},  //
        {"<", 25, 25, true, true},     //
        {"<", 24, 24, false, true},    //
        {"<", 0, 24, false, true},     // at the start: nothing changes
        {">", 25, 25, true, true},     //
        {"25", 0, 25, true, true},     // the page shown again: forward is kept
        {"7", 0, 7, true, false},      // a new page drops the pages ahead
        {">", 0, 7, true, false},      //
        {"<", 25, 25, true, true},     //
        {"0", 0, 25, true, true},      // no page: ignored
        {"352", 0, 25, true, true},    //
    };
    PageHistory history;
    for (size_t i = 0; i < script.size(); ++i) {
        const Step& s = script[i];
        int returned = 0;
        if (s.op == "<")
            returned = history.back();
        else if (s.op == ">")
            returned = history.forward();
        else
            history.visit(std::stoi(s.op));
        EXPECT_EQ(returned, s.returned) << "step " << i << " " << s.op;
        EXPECT_EQ(history.current(), s.current) << "step " << i << " " << s.op;
        EXPECT_EQ(history.canGoBack(), s.back) << "step " << i << " " << s.op;
        EXPECT_EQ(history.canGoForward(), s.forward) << "step " << i << " " << s.op;
    }
}

TEST(PageHistory, ForgetsTheOldestPagesBeyondItsLimit)
{
    PageHistory history;
    const int visits = static_cast<int>(PageHistory::kLimit) + 10;
    for (int i = 0; i < visits; ++i)
        history.visit(1 + i % 351);
    int steps = 0;
    while (history.back() != 0)
        ++steps;
    EXPECT_EQ(steps, static_cast<int>(PageHistory::kLimit) - 1);
    EXPECT_EQ(history.current(), 1 + 10 % 351);
}

}  // namespace
