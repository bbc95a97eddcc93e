// What the window remembers, read from hostile files; and the arithmetic of
// fitting the page and of the control row's padding (no display needed).
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <glib.h>
#include <gtest/gtest.h>

#include "app/SmallScreens.h"
#include "app/WindowState.h"
#include "app/Zoom.h"
#include "base/Error.h"

namespace {

TEST(WindowState, ReadsWhatItWritesAndRefusesFaults)
{
    struct Case {
        const char* text;
        bool good;
        int page = 0;
        FitMode fit = FitMode::Width;
        double size = 1.0;
        int width = 0;
    };
    const Case cases[] = {
        {"", true, 0, FitMode::Width, 1.0, 0},  // first use
        {"[page]\nnumber=24\nzoom=1.25\n", true, 24, FitMode::None, 1.25, 0},
        {"[page]\nnumber=351\nzoom=fit-page\n", true, 351, FitMode::Page, 1.0, 0},
        {"[window]\nwidth=800\nheight=600\n[page]\nnumber=1\n", true, 1, FitMode::Width, 1.0, 800},
        {"# a comment\n[window]\nside-panel=true\n[other]\nkey=kept out\n", true, 0, FitMode::Width, 1.0, 0},
        {"[page]\nzoom=1.234\n", true, 0, FitMode::None, 1.23, 0},  // to the spinner's hundredths
        // Faults: the whole file is refused.
        {"[page]\nnumber=0\n", false},
        {"[page]\nnumber=352\n", false},
        {"[page]\nnumber=-5\n", false},
        {"[page]\nnumber=99999999999999999999\n", false},
        {"[page]\nnumber=24x\n", false},
        {"[page]\nzoom=4.5\n", false},
        {"[page]\nzoom=0.1\n", false},
        {"[page]\nzoom=nan\n", false},
        {"[page]\nzoom=inf\n", false},
        {"[page]\nzoom=huge\n", false},
        {"[window]\nwidth=800\n", false},  // one side without the other
        {"[window]\nwidth=100000\nheight=600\n", false},
        {"[window]\nwidth=10\nheight=10\n", false},
        {"[window]\nmaximized=perhaps\n", false},
        {"not a key file at all", false},
        {"[page\nnumber=24\n", false},
        {"[midi]\ninput=Keys\\tPort\n", false},  // a tab, escaped in the file
        {"[midi]\ninput=\xff\xfe\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        if (!c.good) {
            try {
                ParseWindowState(c.text);
                ADD_FAILURE() << "accepted";
            } catch (const harmodex::Error& e) {
                EXPECT_TRUE(e.badInput());
            }
            continue;
        }
        const WindowState s = ParseWindowState(c.text);
        EXPECT_EQ(s.page, c.page);
        EXPECT_EQ(s.fit, c.fit);
        EXPECT_DOUBLE_EQ(s.sizeFactor, c.size);
        EXPECT_EQ(s.width, c.width);
        EXPECT_EQ(ParseWindowState(FormatWindowState(s)), s);
    }
    // A NUL inside the text (the literal above ends at it).
    EXPECT_THROW(ParseWindowState(std::string("[page]\nnumber=2\0 4\n", 19)), harmodex::Error);
    EXPECT_THROW(ParseWindowState(std::string(kWindowStateFileCap + 1, '#')), harmodex::Error);
}

class StateFile : public ::testing::Test {
public:
    void SetUp() override
    {
        char pattern[] = "/tmp/harmodex-state-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        path = folder + "/harmodex/window.ini";
    }
    void TearDown() override { std::system(("rm -rf '" + folder + "'").c_str()); }
    void write(const std::string& text)
    {
        g_mkdir_with_parents((folder + "/harmodex").c_str(), 0700);
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string folder, path;
};

TEST_F(StateFile, MissingIsFirstUseSilentlyAndSavingMakesTheFolder)
{
    std::string problem = "stale";
    EXPECT_EQ(LoadWindowState(path, problem), WindowState());
    EXPECT_EQ(problem, "");
    WindowState s;
    s.page = 200;
    s.fit = FitMode::None;
    s.sizeFactor = 2.5;
    s.width = 1200;
    s.height = 800;
    s.maximised = true;
    s.sidePanel = true;
    s.midiInput = "USB Keyboard:USB Keyboard MIDI 1 20:0";
    SaveWindowState(path, s);
    EXPECT_EQ(LoadWindowState(path, problem), s);
    EXPECT_EQ(problem, "");
    struct stat info;
    ASSERT_EQ(stat((folder + "/harmodex").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);  // the user's own
}

TEST_F(StateFile, UnusableFilesAreFirstUseWithTheirPathAndReason)
{
    struct Case {
        const char* what;
        std::function<void(StateFile&)> make;
        const char* reason;
    };
    const Case cases[] = {
        {"out of range", [](StateFile& f) { f.write("[page]\nnumber=400\n"); }, "400 is outside 1 to 351"},
        {"garbage", [](StateFile& f) { f.write("\x7f\x45\x4c\x46 binary"); }, "not a key file"},
        {"too large", [](StateFile& f) { f.write(std::string(kWindowStateFileCap + 10, '#')); }, "larger than"},
        {"a folder", [](StateFile& f) { g_mkdir_with_parents(f.path.c_str(), 0700); }, "not a regular file"},
        {"a named pipe",
         [](StateFile& f) {
             g_mkdir_with_parents((f.folder + "/harmodex").c_str(), 0700);
             mkfifo(f.path.c_str(), 0600);
         },
         "not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::system(("rm -rf '" + folder + "/harmodex'").c_str());
        c.make(*this);
        std::string problem;
        EXPECT_EQ(LoadWindowState(path, problem), WindowState());
        EXPECT_EQ(problem.rfind(path + ": ", 0), 0u) << problem;
        EXPECT_NE(problem.find(c.reason), std::string::npos) << problem;
        EXPECT_EQ(problem.find('\n'), std::string::npos);
    }
    // Never written through a pipe (it would wait for a reader).
    EXPECT_THROW(SaveWindowState(path, WindowState()), harmodex::Error);
}

TEST(Fitting, TheFittedPageFitsAndStaysInTheSpinnersRange)
{
    struct Case {
        int width, height;
        FitMode mode;
        double size;
    };
    // The page is 481 x 680 points, 1035.5 x 1463.9 pixels at size 1.0.
    const Case cases[] = {
        {1040, 400, FitMode::Width, 1.0}, {1039, 400, FitMode::Width, 0.99}, {2075, 400, FitMode::Width, 2.0},
        {1040, 1468, FitMode::Page, 1.0}, {1040, 740, FitMode::Page, 0.5},   {100, 100, FitMode::Width, 0.25},
        {9000, 9000, FitMode::Page, 4.0}, {500, 500, FitMode::None, 1.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(FittedSize(c.width, c.height, c.mode), c.size) << c.width << " x " << c.height;
}

TEST(SmallScreens, PaddingShrinksToTheRoomLeft)
{
    EXPECT_EQ(ControlPaddingFor(1100, 500), 100);  // the design's padding where there is room
    EXPECT_EQ(ControlPaddingFor(800, 500), 75);
    EXPECT_EQ(ControlPaddingFor(500, 500), 0);
    EXPECT_EQ(ControlPaddingFor(300, 500), 0);
}

}  // namespace
