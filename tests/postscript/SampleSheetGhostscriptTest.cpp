// Runs the sample sheet through Ghostscript: every primitive and chart must
// be valid PostScript for a real interpreter, including the /MyArial
// prologue.
#include "postscript/SampleSheet.h"

#include "postscript/Ghostscript.h"
#include "postscript/MemoryStream.h"

#include <gtest/gtest.h>

namespace {

TEST(SampleSheet, GhostscriptRendersItWithoutError)
{
    if (!GhostscriptAvailable())
        GTEST_SKIP() << "gs is not on PATH";
    EXPECT_EQ(GhostscriptErrors(Capture([](FILE* out) { WriteSampleSheet(out); })), "");
}

}  // namespace
