// Writes the sample sheet of the page writer's primitives and charts as an
// EPS file (default sample_sheet.eps), to be rendered and looked at.
#include "postscript/SampleSheet.h"

#include <cstdio>

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : "sample_sheet.eps";
    FILE* out = std::fopen(path, "w");
    if (!out) {
        std::perror(path);
        return 1;
    }
    WriteSampleSheet(out);
    if (std::fclose(out) != 0) {
        std::perror(path);
        return 1;
    }
    std::printf("%s\n", path);
    return 0;
}
