// TInflateAhead: one worker that reads and inflates the members of an
// archive ahead of the extraction, in the order they lie in the archive,
// so that the extraction, which creates the files in order on the main
// thread, writes bytes instead of inflating them. It is an optimisation
// only: whatever the worker cannot do (a damaged member, a read error, a
// member too large to hold) the extraction does itself as always, with the
// same result and the same failure. Portable: reads through the file shim.
// The members are inflated into one ring of memory, in archive order, with
// one inflater: under Wine the heap's search for a free block grows with a
// large heap, and a block of every member's size, freed by another thread,
// made an install of 100,000 files twice as slow per file as one of 10,000.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
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
    // that begins at Offset in the file Volume, from member First on.
    TInflateAhead(std::string Volume, int64_t Offset, std::vector<TAheadMember> Members,
                  int64_t Budget = DefaultBudget, size_t First = 0);
    // Stops the worker and frees what it holds.
    ~TInflateAhead();
    TInflateAhead(const TInflateAhead&) = delete;
    TInflateAhead& operator=(const TInflateAhead&) = delete;

    // Member Index (its place in the directory) inflated, exactly Size
    // bytes from a stream that ended; waits while the worker is on it. The
    // bytes stay valid until the next Take. Empty when the caller must
    // inflate it itself. Either way the worker goes on with the members
    // that lie after it, and what lies before it and was never taken is
    // dropped.
    std::optional<std::span<const uint8_t>> Take(size_t Index);

    // Waits until the worker has nothing left that it may start (what the
    // budget holds back counts). For tests and measurements.
    void WaitIdle();

    int Hits() const { return FHits; }
    int Misses() const { return FMisses; }
    // Bytes held now, for tests.
    int64_t Held() const {
        std::lock_guard<std::mutex> lock(FLock);
        return static_cast<int64_t>(FAllocated - FReleased);
    }

private:
    enum TState { asPending, asRunning, asDone, asGone };
    struct TSlot {
        TAheadMember Member;
        TState State = asPending;
        uint64_t Start = 0, End = 0;  // its place in the ring, counted on
    };

    void Work();
    // Inflates one member into Out (its Size bytes); false when it cannot
    // be used. Called without the lock.
    bool Inflate(const TAheadMember& Member, intptr_t Volume, uint8_t* Out, void* Stream);
    // Gives the ring space of Slot back (slots go in order).
    void Release(const TSlot& Slot);

    const std::string FVolume;
    const int64_t FOffset;
    const int64_t FBudget;
    std::vector<TSlot> FSlots;       // in archive order
    std::vector<size_t> FSlotOf;     // directory index -> slot
    mutable std::mutex FLock;
    std::condition_variable FChanged;
    size_t FNext = 0;    // the next slot the worker may start
    size_t FCursor = 0;  // slots before it were taken or dropped
    // The ring: positions count on from 0; a member lies at Start modulo
    // the ring's size and never wraps (the rest of the ring is skipped).
    std::unique_ptr<uint8_t[]> FRing;  // FBudget bytes, not cleared: only members are read
    uint64_t FAllocated = 0;     // space up to here is taken
    uint64_t FReleased = 0;      // space up to here is free again
    std::optional<size_t> FTaken;  // the member whose bytes Take handed out
    std::atomic<bool> FStop = false;  // also read by the inflating worker
    bool FIdle = false;   // the worker waits for memory or has ended
    bool FEnded = false;  // the worker has ended
    int FHits = 0, FMisses = 0;
    std::thread FWorker;
};

}  // namespace vtrl
