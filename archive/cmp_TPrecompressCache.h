// TPrecompressCache: the members of a build deflated on several threads
// ahead of the pass that writes them into the archive, so that the pass,
// which must stay in order and on the main thread, copies bytes instead of
// deflating. Portable: the workers read sources through the file shim.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "FileShim.h"
#include "routines_Compression.h"

namespace vtrl {

// One member the pass will add: its source line (the key is the text up to
// the first ";") and the level it will be deflated with.
struct TPrecompressMember {
    std::string SourcePath;
    TCompressionLevel Level = colMax;
};

class TSourceFiles;

// A member deflated ahead. Data is the zlib stream exactly as the archive's
// own TCompressionStream writes it (the worker runs that stream with the
// same reads), so an archive built from it is byte for byte the one a
// single thread writes. SourcePosAtBuffer keeps, for each full output
// buffer, how many source bytes had been read when it was flushed: the
// pass replays the same progress events from it.
struct TPrecompressed {
    std::vector<uint8_t> Data;
    std::vector<int64_t> SourcePosAtBuffer;
    int64_t Size = 0;      // source bytes deflated
    double Date = 0.0;     // the source's date as the archive records it
    TCompressionLevel Level = colMax;
};

class TPrecompressCache {
public:
    // Memory held at one time: deflated members with their allocations, and
    // the sources being deflated. A member beyond it waits for the pass to
    // take what lies ahead, and one larger than it alone is left to the
    // pass. The pass is what limits a build of many small files, so running
    // further ahead would only hold more memory.
    static constexpr int64_t DefaultBudget = int64_t{64} << 20;

    // Starts Threads workers (none when Threads < 1) on Members in their
    // order; a later line with a key already listed is ignored. A worker
    // that cannot be started only means fewer workers. A member that
    // Substitutes names is read from its substitute.
    TPrecompressCache(const std::vector<TPrecompressMember>& Members, int Threads, int64_t Budget = DefaultBudget,
                      const TSourceFiles* Substitutes = nullptr);
    // Stops the workers (a member being deflated is abandoned) and frees
    // every buffer.
    ~TPrecompressCache();
    TPrecompressCache(const TPrecompressCache&) = delete;
    TPrecompressCache& operator=(const TPrecompressCache&) = delete;

    // The member with key Key if a worker deflated it at Level from a source
    // that still has size Size and date Date; waits while a worker is on it.
    // Null when the pass must deflate it itself: not listed, not reached by
    // a worker yet (no worker will start it then), too large, unreadable,
    // deflated at another level, or changed since. The member leaves the
    // cache in every case, and its memory with it.
    std::unique_ptr<TPrecompressed> Take(const std::string& Key, TCompressionLevel Level, int64_t Size, double Date);

    // Waits until every worker has run out of members it may start (those
    // the budget holds back count as run out). For tests and measurements.
    void WaitIdle();

    // The memory the cache counts as held now (never more than the budget,
    // but for one member larger than it that a worker had begun).
    int64_t Held() const {
        std::lock_guard<std::mutex> lock(FLock);
        return FInFlight;
    }

    // How many Take calls returned a member, and how many returned null.
    int Hits() const { return FHits; }
    int Misses() const { return FMisses; }

private:
    enum TState { psPending, psRunning, psDone, psUnusable, psTaken };
    struct TItem {
        std::string Path;
        std::string ReadFrom;  // Path, or its substitute
        TCompressionLevel Level;
        TState State = psPending;
        int64_t Reserved = 0;
        std::unique_ptr<TPrecompressed> Result;
    };

    void Work();
    // Deflates member Index from its open source; null when the source
    // cannot be read or the workers are stopped. Called without the lock.
    std::unique_ptr<TPrecompressed> Deflate(size_t Index, TFileHandle Source, int64_t Size, int32_t DosDate);

    std::vector<TItem> FItems;
    std::unordered_map<std::string, size_t> FIndex;
    const int64_t FBudget;
    mutable std::mutex FLock;
    std::condition_variable FChanged;
    size_t FNext = 0;         // no pending member lies before it
    int64_t FInFlight = 0;    // bytes reserved by running and done members
    std::atomic<bool> FStop = false;  // read by deflating workers between blocks
    int FIdle = 0;            // workers ended or waiting for memory
    int FHits = 0, FMisses = 0;
    std::vector<std::thread> FWorkers;
};

// The number of threads a build deflates on: the processor count, at most
// 4; the environment variable VTRL_BUILD_THREADS, when set to a number,
// replaces it (0: no deflating ahead), so a build can be measured both ways.
int PrecompressThreads();

}  // namespace vtrl
