#include "formats/BookPdf.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include <glib.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "base/Version.h"
#include "raster/Ghostscript.h"
#include "page/HarmodexPage.h"
#include "pcset/PitchUniverse.h"
#include "postscript/PostScriptWriter.h"

namespace {

// Pages on their way from the composer to one Ghostscript process. A few
// pages at most wait, so memory stays small and the progress shown follows
// what Ghostscript has read rather than what was composed.
class PageQueue {
public:
    void push(std::string page)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        room_.wait(lock, [&] { return abandoned_ || pages_.size() < 3; });
        if (!abandoned_)
            pages_.push_back(std::move(page));
        ready_.notify_one();
    }
    void finish()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
        ready_.notify_one();
    }
    // The next page; false once all were taken.
    bool pop(std::string* page)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [&] { return finished_ || !pages_.empty(); });
        if (pages_.empty())
            return false;
        *page = std::move(pages_.front());
        pages_.pop_front();
        room_.notify_one();
        return true;
    }
    // The reader stopped: pages pushed from now on are dropped.
    void abandon()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        abandoned_ = true;
        pages_.clear();
        room_.notify_one();
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_, room_;
    std::deque<std::string> pages_;
    bool finished_ = false, abandoned_ = false;
};

struct Part {
    int first = 0, count = 0;  // catalogue indices
    std::string pdf;
    PageQueue queue;
    std::exception_ptr failure;
};

std::string partSize(const char* name, float centimetres)
{
    return std::string("-d") + name + "=" + std::to_string(InCentimeters(centimetres));
}

// Joins the parts' pages into the first part's document, then gives it its
// title, subject and outline, one entry per page.
std::string joinParts(std::vector<std::unique_ptr<Part>>& parts)
{
    std::vector<std::unique_ptr<QPDF>> documents;
    for (auto& part : parts) {
        documents.push_back(std::make_unique<QPDF>());
        documents.back()->processFile(part->pdf.c_str());
    }
    QPDF& book = *documents.front();
    QPDFPageDocumentHelper pages(book);
    for (size_t i = 1; i < documents.size(); ++i)
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(*documents[i]).getAllPages())
            pages.addPage(page, false);

    const std::vector<QPDFPageObjectHelper> all = pages.getAllPages();
    if (all.size() != static_cast<size_t>(PitchUniverse::NumTnTypes))
        throw std::runtime_error("Ghostscript made " + std::to_string(all.size()) + " pages instead of " +
                                 std::to_string(PitchUniverse::NumTnTypes));
    QPDFObjectHandle outline = book.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Outlines >>"));
    QPDFObjectHandle previous;
    for (size_t i = 0; i < all.size(); ++i) {
        QPDFObjectHandle entry = book.makeIndirectObject(QPDFObjectHandle::newDictionary());
        entry.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(BookBookmark(static_cast<int>(i) + 1)));
        entry.replaceKey("/Parent", outline);
        QPDFObjectHandle destination = QPDFObjectHandle::newArray();
        destination.appendItem(all[i].getObjectHandle());
        destination.appendItem(QPDFObjectHandle::newName("/Fit"));
        entry.replaceKey("/Dest", destination);
        if (i == 0) {
            outline.replaceKey("/First", entry);
        } else {
            previous.replaceKey("/Next", entry);
            entry.replaceKey("/Prev", previous);
        }
        previous = entry;
    }
    outline.replaceKey("/Last", previous);
    outline.replaceKey("/Count", QPDFObjectHandle::newInteger(static_cast<long long>(all.size())));
    book.getRoot().replaceKey("/Outlines", outline);
    book.getRoot().replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));

    QPDFObjectHandle info = book.getTrailer().getKey("/Info");
    if (!info.isDictionary()) {
        info = book.makeIndirectObject(QPDFObjectHandle::newDictionary());
        book.getTrailer().replaceKey("/Info", info);
    }
    info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString("Harmodex: the 351 Tn-types of pitch-class sets"));
    info.replaceKey("/Subject", QPDFObjectHandle::newUnicodeString(
                                    "One analysis page for each transposition type (Tn-type) of pitch-class set, "
                                    "from the single note to the aggregate"));
    // The Producer stays that of the parts, Ghostscript, which made the PDF.
    info.replaceKey("/Creator", QPDFObjectHandle::newUnicodeString(std::string("Harmodex ") + harmodex::kVersion));

    QPDFWriter writer(book);
    writer.setOutputMemory();
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.write();
    std::shared_ptr<Buffer> bytes = writer.getBufferSharedPointer();
    return std::string(reinterpret_cast<const char*>(bytes->getBuffer()), bytes->getSize());
}

}  // namespace

std::string BookBookmark(int page)
{
    const PitchUniverse& u = SharedUniverse();
    return std::to_string(page) + " \xC2\xB7 " + u.forteNames[page - 1] + " \xC2\xB7 " + u.tnTypes[page - 1];
}

std::string BookAsPdf(const std::function<void(int pagesDone)>& progress, int parts)
{
    const int total = PitchUniverse::NumTnTypes;
    if (parts <= 0)
        parts = std::clamp(static_cast<int>(g_get_num_processors()), 2, 4);
    parts = std::clamp(parts, 1, total);
    const PitchUniverse& u = SharedUniverse();
    ScratchFolder scratch;

    std::vector<std::unique_ptr<Part>> shares;
    for (int k = 0; k < parts; ++k) {
        auto part = std::make_unique<Part>();
        part->first = k * total / parts;
        part->count = (k + 1) * total / parts - part->first;
        part->pdf = scratch.file("part" + std::to_string(k) + ".pdf");
        shares.push_back(std::move(part));
    }

    std::mutex progressMutex;
    int done = 0;
    std::vector<std::thread> readers;
    for (auto& owned : shares) {
        Part* part = owned.get();
        readers.emplace_back([&, part] {
            try {
                // "-_" has Ghostscript read standard input in blocks; plain
                // "-" reads it one byte per system call.
                RunGhostscript({"-sDEVICE=pdfwrite", partSize("DEVICEWIDTHPOINTS", 17.0f),
                                partSize("DEVICEHEIGHTPOINTS", 24.0f), "-dFIXEDMEDIA",
                                "-sOutputFile=" + GhostscriptOutputFile(part->pdf), "-_"},
                               [&](const std::function<bool(const std::string&)>& write) {
                                   std::string page;
                                   while (part->queue.pop(&page)) {
                                       if (!write(page)) {
                                           part->queue.abandon();
                                           return;
                                       }
                                       std::lock_guard<std::mutex> lock(progressMutex);
                                       ++done;
                                       if (progress)
                                           progress(done);
                                   }
                               });
            } catch (...) {
                part->failure = std::current_exception();
            }
            part->queue.abandon();
        });
    }

    // One composer feeds every part in turn, each part its own multi-page
    // document whose pages keep their book numbers.
    int longest = 0;
    for (auto& part : shares)
        longest = std::max(longest, part->count);
    for (int step = 0; step < longest; ++step)
        for (auto& part : shares)
            if (step < part->count) {
                const int index = part->first + step;
                part->queue.push(DrawHarmodexPage(index + 1, u.tnTypes[index], -(step + 1), part->count));
            }
    for (auto& part : shares)
        part->queue.finish();
    for (std::thread& reader : readers)
        reader.join();
    for (auto& part : shares)
        if (part->failure)
            std::rethrow_exception(part->failure);

    try {
        return joinParts(shares);
    } catch (const std::runtime_error&) {
        throw;
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string("cannot join the book's parts: ") + e.what());
    }
}
