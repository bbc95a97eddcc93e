// A memory stream for tests: the routines under test write into a FILE*, and
// the test reads back exactly what was written.
#ifndef HARMODEX_TESTS_POSTSCRIPT_MEMORYSTREAM_H
#define HARMODEX_TESTS_POSTSCRIPT_MEMORYSTREAM_H

#include <cstdio>
#include <cstdlib>
#include <string>

class MemoryStream {
public:
    MemoryStream() : stream_(open_memstream(&buffer_, &size_)) {}
    ~MemoryStream()
    {
        if (stream_)
            std::fclose(stream_);
        std::free(buffer_);
    }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    FILE* get() const { return stream_; }

    // Everything written so far.
    std::string text()
    {
        std::fflush(stream_);
        return std::string(buffer_, size_);
    }

private:
    char* buffer_ = nullptr;
    std::size_t size_ = 0;
    FILE* stream_;
};

// Runs a writer on a fresh memory stream and returns its output.
template <typename Write>
std::string Capture(Write write)
{
    MemoryStream stream;
    write(stream.get());
    return stream.text();
}

#endif
