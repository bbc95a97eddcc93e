// Entry point of the Harmodex window. The window itself comes with the page
// composer; until then the program only says so.
#include <cstdio>

int main()
{
    std::fprintf(stderr, "harmodex: the window is not built yet; run the tests to exercise the core library.\n");
    return 0;
}
