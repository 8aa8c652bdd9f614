// TPrecompressCache: workers that deflate a build's members ahead of the
// archive pass, bounded by a memory budget, and the pass's hand-over.
#include "cmp_TPrecompressCache.h"

#include <cstdlib>

#include "FileShim.h"
#include "cmp_TFileHeaders.h"

namespace vtrl {

namespace {

// The archive pass reads sources in blocks of this size; the workers must
// read the same way, since the blocks handed to deflate decide where its
// output buffers fill and so the progress events replayed from them.
constexpr int32_t SourceBlock = 61440;
// What holding a member costs besides its bytes (its allocations and its
// bookkeeping): with thousands of small members ahead of the pass, counting
// the bytes alone would let the cache grow far past its budget.
constexpr int64_t ItemOverhead = 512;

int64_t HeldSize(const TPrecompressed& R) {
    return static_cast<int64_t>(R.Data.capacity() + R.SourcePosAtBuffer.capacity() * sizeof(int64_t)) + ItemOverhead;
}

// A growing byte buffer as a stream target for TCompressionStream.
class TMemoryTarget : public TVtrlStream {
public:
    explicit TMemoryTarget(std::vector<uint8_t>& Bytes) : FBytes(Bytes) {}
    int32_t Read(void*, int32_t) override { return 0; }
    int32_t Write(const void* Buffer, int32_t Count) override {
        const auto* p = static_cast<const uint8_t*>(Buffer);
        FBytes.insert(FBytes.end(), p, p + Count);
        return Count;
    }
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override {
        const auto size = static_cast<int64_t>(FBytes.size());
        // Only the end is ever asked for: the stream appends.
        if (Origin == soFromBeginning) return Offset == size ? size : -1;
        return Offset == 0 ? size : -1;
    }
    void SetSize(int64_t) override { throw EWriteError(); }

private:
    std::vector<uint8_t>& FBytes;
};

}  // namespace

TPrecompressCache::TPrecompressCache(const std::vector<TPrecompressMember>& Members, int Threads, int64_t Budget,
                                     const TSourceFiles* Substitutes)
    : FBudget(Budget) {
    FItems.reserve(Members.size());
    for (const TPrecompressMember& m : Members) {
        std::string key = SourceKey(m.SourcePath).substr(0, MaxSourcePath);
        if (!FIndex.try_emplace(key, FItems.size()).second) continue;
        TItem item;
        item.Path = std::move(key);
        item.ReadFrom = Substitutes ? Substitutes->FileOf(item.Path) : item.Path;
        item.Level = m.Level;
        FItems.push_back(std::move(item));
    }
    const int threads = Threads < 1 ? 0 : Threads > static_cast<int>(FItems.size()) ? static_cast<int>(FItems.size())
                                                                                     : Threads;
    for (int i = 0; i < threads; ++i) {
        try {
            FWorkers.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            // Members no worker reaches are deflated by the pass as before.
            break;
        }
    }
}

TPrecompressCache::~TPrecompressCache() {
    {
        std::lock_guard<std::mutex> lock(FLock);
        FStop = true;
    }
    FChanged.notify_all();
    for (std::thread& t : FWorkers) t.join();
}

void TPrecompressCache::Work() {
    std::unique_lock<std::mutex> lock(FLock);
    for (;;) {
        while (FNext < FItems.size() && FItems[FNext].State != psPending) ++FNext;
        if (FStop || FNext == FItems.size()) {
            ++FIdle;
            FChanged.notify_all();
            return;
        }
        const size_t index = FNext++;
        TItem& item = FItems[index];
        item.State = psRunning;
        lock.unlock();

        TFileHandleOwner source(FileOpenRead(item.ReadFrom));
        const int64_t size = source.Valid() ? FileSize(source.Get()) : -1;
        const int32_t dos = source.Valid() ? FileGetDate(source.Get()) : -1;
        lock.lock();
        if (size < 0 || size > INT32_MAX || size > FBudget) {
            // The pass meets the same file and reports it, or deflates it
            // itself when it is merely too large to hold.
            item.State = psUnusable;
            FChanged.notify_all();
            continue;
        }
        if (FInFlight > 0 && FInFlight + size + ItemOverhead > FBudget) {
            // Memory frees only as the pass takes members in order, so the
            // member goes back: the pass deflates it itself if it gets there
            // first, and waiting here while holding it could stall the pass.
            item.State = psPending;
            if (index < FNext) FNext = index;
            FChanged.notify_all();
            const int64_t inFlight = FInFlight;
            ++FIdle;
            FChanged.wait(lock, [&] { return FStop || FInFlight < inFlight || item.State != psPending; });
            --FIdle;
            continue;
        }
        item.Reserved = size + ItemOverhead;
        FInFlight += item.Reserved;
        lock.unlock();

        std::unique_ptr<TPrecompressed> result;
        try {
            result = Deflate(index, source.Get(), size, dos);
        } catch (...) {
            // Whatever went wrong here (memory, zlib) happens again in the
            // pass, which reports it with the member's name.
            result.reset();
        }
        source.Close();

        lock.lock();
        FInFlight -= item.Reserved;
        item.Reserved = result ? HeldSize(*result) : 0;
        FInFlight += item.Reserved;
        item.State = result ? psDone : psUnusable;
        item.Result = std::move(result);
        FChanged.notify_all();
    }
}

std::unique_ptr<TPrecompressed> TPrecompressCache::Deflate(size_t Index, TFileHandle Source, int64_t Size,
                                                         int32_t DosDate) {
    auto r = std::make_unique<TPrecompressed>();
    r->Level = FItems[Index].Level;
    r->Date = DosDate == -1 ? 0.0 : DosDateTimeToDateTime(DosDate);
    r->Data.reserve(static_cast<size_t>(Size / 2) + 64);
    TMemoryTarget target(r->Data);
    int64_t read = 0;
    TCompressionStream z(r->Level, target);
    z.OnProgress = [&](TCustomZlibStream&) { r->SourcePosAtBuffer.push_back(read); };
    auto buf = std::make_unique<uint8_t[]>(SourceBlock);
    for (;;) {
        if (FStop) return nullptr;
        const int32_t n = FileRead(Source, buf.get(), SourceBlock);
        if (n < 0) return nullptr;
        if (n == 0) break;
        read += n;
        if (read > INT32_MAX) return nullptr;
        z.Write(buf.get(), n);
    }
    z.Finish();
    r->Size = read;
    return r;
}

std::unique_ptr<TPrecompressed> TPrecompressCache::Take(const std::string& Key, TCompressionLevel Level,
                                                        int64_t Size, double Date) {
    std::unique_lock<std::mutex> lock(FLock);
    auto it = FIndex.find(Key);
    if (it == FIndex.end()) {
        ++FMisses;
        return nullptr;
    }
    TItem& item = FItems[it->second];
    FChanged.wait(lock, [&] { return item.State != psRunning; });
    std::unique_ptr<TPrecompressed> r = std::move(item.Result);
    item.State = psTaken;
    FInFlight -= item.Reserved;
    item.Reserved = 0;
    FChanged.notify_all();
    // Size and date are what the pass can check without reading the source
    // again; a source rewritten to the same size within the two seconds of
    // one stored date would go unnoticed.
    if (r && (r->Level != Level || r->Size != Size || r->Date != Date)) r.reset();
    ++(r ? FHits : FMisses);
    return r;
}

void TPrecompressCache::WaitIdle() {
    std::unique_lock<std::mutex> lock(FLock);
    FChanged.wait(lock, [&] { return FIdle == static_cast<int>(FWorkers.size()); });
}

int PrecompressThreads() {
    if (const char* v = std::getenv("VTRL_BUILD_THREADS"); v && *v) {
        char* end = nullptr;
        const long n = std::strtol(v, &end, 10);
        if (*end == '\0' && n >= 0) return n > 64 ? 64 : static_cast<int>(n);
    }
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores > 4 ? 4 : static_cast<int>(cores);
}

}  // namespace vtrl
