// Compressed MusicXML: the score in a zip archive, as notation programs
// write .mxl files. The first entry is the uncompressed mimetype, so that a
// program can tell the file's type from its first bytes; META-INF/
// container.xml names the score inside.
#include <memory>

#include <zip.h>

#include "base/Error.h"
#include "interchange/MusicXml.h"

namespace {

const char kMimeType[] = "application/vnd.recordare.musicxml";
const char kScoreName[] = "score.musicxml";
const char kContainer[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<container>\n"
                          "  <rootfiles>\n"
                          "    <rootfile full-path=\"score.musicxml\" "
                          "media-type=\"application/vnd.recordare.musicxml+xml\"/>\n"
                          "  </rootfiles>\n"
                          "</container>\n";

struct SourceFree {
    void operator()(zip_source_t* s) const { zip_source_free(s); }
};

[[noreturn]] void Fail(const std::string& what, zip_error_t* error)
{
    throw harmodex::Error("cannot make the compressed MusicXML: " + what + ": " + zip_error_strerror(error));
}

void Add(zip_t* archive, const char* name, const char* data, size_t size, bool compress)
{
    zip_source_t* source = zip_source_buffer(archive, data, size, 0);
    if (!source)
        Fail(name, zip_get_error(archive));
    const zip_int64_t index = zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        Fail(name, zip_get_error(archive));
    }
    if (zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                                 0) != 0)
        Fail(name, zip_get_error(archive));
}

}  // namespace

std::string CompressedMusicXml(const std::string& musicXml)
{
    zip_error_t error;
    zip_error_init(&error);
    // The archive is written into a buffer source kept after closing.
    std::unique_ptr<zip_source_t, SourceFree> buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer)
        Fail("buffer", &error);
    zip_t* archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
    if (!archive)
        Fail("archive", &error);
    zip_source_keep(buffer.get());
    try {
        Add(archive, "mimetype", kMimeType, sizeof kMimeType - 1, false);
        Add(archive, "META-INF/container.xml", kContainer, sizeof kContainer - 1, true);
        Add(archive, kScoreName, musicXml.data(), musicXml.size(), true);
    } catch (...) {
        zip_discard(archive);
        throw;
    }
    if (zip_close(archive) != 0) {
        std::string reason = zip_error_strerror(zip_get_error(archive));
        zip_discard(archive);
        throw harmodex::Error("cannot make the compressed MusicXML: " + reason);
    }

    zip_stat_t stat;
    if (zip_source_stat(buffer.get(), &stat) != 0 || zip_source_open(buffer.get()) != 0)
        Fail("reading back", zip_source_error(buffer.get()));
    std::string bytes(static_cast<size_t>(stat.size), '\0');
    const zip_int64_t read = zip_source_read(buffer.get(), bytes.data(), stat.size);
    zip_source_close(buffer.get());
    if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size)
        Fail("reading back", zip_source_error(buffer.get()));
    return bytes;
}
