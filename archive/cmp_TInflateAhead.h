// TInflateAhead: one worker that reads and inflates the members of an
// archive ahead of the extraction, in the order they lie in the archive,
// so that the extraction, which creates the files in order on the main
// thread, writes bytes instead of inflating them. It is an optimisation
// only: whatever the worker cannot do (a damaged member, a read error, a
// member too large to hold) the extraction does itself as always, with the
// same result and the same failure. Portable: reads through the file shim.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vtrl {

// Where one member's zlib stream lies in a single-volume archive.
struct TAheadMember {
    int64_t DataPos = 0;      // first byte, from the archive's start
    int64_t LastBytePos = 0;  // last byte (inclusive)
    int64_t Size = 0;         // bytes it inflates to, as the directory records
};

class TInflateAhead {
public:
    // Inflated bytes held at one time, and the largest member the worker
    // takes on: a member beyond that is the extraction's own.
    static constexpr int64_t DefaultBudget = int64_t{16} << 20;
    static constexpr int64_t LargestMember = int64_t{4} << 20;

    // Starts the worker on Members (in directory order) of the archive
    // that begins at Offset in the file Volume.
    TInflateAhead(std::string Volume, int64_t Offset, std::vector<TAheadMember> Members,
                  int64_t Budget = DefaultBudget);
    // Stops the worker and frees what it holds.
    ~TInflateAhead();
    TInflateAhead(const TInflateAhead&) = delete;
    TInflateAhead& operator=(const TInflateAhead&) = delete;

    const std::string& Volume() const { return FVolume; }
    int64_t Offset() const { return FOffset; }

    // Member Index (its place in the directory) inflated, exactly Size
    // bytes from a stream that ended; waits while the worker is on it. Null
    // when the caller must inflate it itself. Either way the worker goes on
    // with the members that lie after it, and what lies before it and was
    // never taken is dropped.
    std::unique_ptr<std::vector<uint8_t>> Take(size_t Index);

    // Waits until the worker has nothing left that it may start (what the
    // budget holds back counts). For tests and measurements.
    void WaitIdle();

    int Hits() const { return FHits; }
    int Misses() const { return FMisses; }
    // Bytes held now, for tests.
    int64_t Held() const {
        std::lock_guard<std::mutex> lock(FLock);
        return FHeld;
    }

private:
    enum TState { asPending, asRunning, asDone, asGone };
    struct TSlot {
        TAheadMember Member;
        TState State = asPending;
        std::unique_ptr<std::vector<uint8_t>> Data;
    };

    void Work();
    // Reads and inflates one member; null when it cannot be used.
    std::unique_ptr<std::vector<uint8_t>> Inflate(const TAheadMember& Member, intptr_t Volume);
    void Drop(TSlot& Slot);

    const std::string FVolume;
    const int64_t FOffset;
    const int64_t FBudget;
    std::vector<TSlot> FSlots;       // in archive order
    std::vector<size_t> FSlotOf;     // directory index -> slot
    mutable std::mutex FLock;
    std::condition_variable FChanged;
    size_t FNext = 0;    // the next slot the worker may start
    size_t FCursor = 0;  // slots before it were taken or dropped
    int64_t FHeld = 0;
    std::atomic<bool> FStop = false;  // also read by the inflating worker
    bool FIdle = false;   // the worker waits for memory or has ended
    bool FEnded = false;  // the worker has ended
    int FHits = 0, FMisses = 0;
    std::thread FWorker;
};

}  // namespace vtrl
