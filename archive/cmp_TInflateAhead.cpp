// TInflateAhead: the worker that inflates an archive's members ahead of the
// extraction into a ring of memory, and the extraction's hand-over.
#include "cmp_TInflateAhead.h"

#include <algorithm>
#include <numeric>

#include "FileShim.h"
#include "SysUtils.h"
#include "routines_Inflate.h"

namespace vtrl {

namespace {

// The compressed bytes are read in blocks of this size.
constexpr uInt ReadBlock = 65536;

}  // namespace

TInflateAhead::TInflateAhead(std::string Volume, int64_t Offset, std::vector<TAheadMember> Members, int64_t Budget,
                             size_t First)
    : FVolume(std::move(Volume)), FOffset(Offset), FBudget(std::max<int64_t>(Budget, 1)) {
    std::vector<size_t> order(Members.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return Members[a].DataPos < Members[b].DataPos; });
    FSlots.resize(order.size());
    FSlotOf.resize(order.size());
    for (size_t s = 0; s < order.size(); ++s) {
        FSlots[s].Member = Members[order[s]];
        FSlotOf[order[s]] = s;
    }
    // An extraction that starts in the middle (a second group of files)
    // needs nothing before it.
    if (First < FSlotOf.size()) FNext = FCursor = FSlotOf[First];
    try {
        FRing.reset(new uint8_t[static_cast<size_t>(FBudget)]);
        FWorker = std::thread([this] { Work(); });
    } catch (const std::exception&) {
        // No worker only means that the extraction inflates every member.
        FStop = true;
        FIdle = FEnded = true;
    }
}

TInflateAhead::~TInflateAhead() {
    {
        std::lock_guard<std::mutex> lock(FLock);
        FStop = true;
    }
    FChanged.notify_all();
    if (FWorker.joinable()) FWorker.join();
}

void TInflateAhead::Release(const TSlot& Slot) { FReleased = std::max(FReleased, Slot.End); }

std::optional<std::span<const uint8_t>> TInflateAhead::Take(size_t Index) {
    std::unique_lock<std::mutex> lock(FLock);
    // The member handed out last has been written by now.
    if (FTaken) {
        Release(FSlots[*FTaken]);
        FTaken.reset();
    }
    if (Index >= FSlotOf.size()) {
        ++FMisses;
        if (!FEnded) FIdle = false;
        lock.unlock();
        FChanged.notify_all();
        return std::nullopt;
    }
    const size_t s = FSlotOf[Index];
    // What lies before it was skipped by the extraction: it goes, and its
    // space lets the worker run on.
    for (size_t k = FCursor; k < s; ++k)
        if (FSlots[k].State == asDone) {
            Release(FSlots[k]);
            FSlots[k].State = asGone;
        }
    if (s >= FNext) {
        // Not reached yet: the extraction does it while the worker goes on
        // with the members after it.
        for (size_t k = FNext; k <= s; ++k) FSlots[k].State = asGone;
        FNext = s + 1;
    }
    // From here on the worker drops what it finishes before this member.
    FCursor = std::max(FCursor, s);
    FChanged.wait(lock, [&] { return FSlots[s].State != asRunning; });
    std::optional<std::span<const uint8_t>> data;
    if (FSlots[s].State == asDone) {
        const TSlot& slot = FSlots[s];
        data.emplace(FRing.get() + slot.Start % static_cast<uint64_t>(FBudget), static_cast<size_t>(slot.Member.Size));
        FTaken = s;
    }
    FSlots[s].State = asGone;
    FCursor = std::max(FCursor, s + 1);
    data ? ++FHits : ++FMisses;
    // The worker may start more now; it says again when it cannot.
    if (!FEnded) FIdle = false;
    lock.unlock();
    FChanged.notify_all();
    return data;
}

void TInflateAhead::WaitIdle() {
    std::unique_lock<std::mutex> lock(FLock);
    FChanged.wait(lock, [&] { return FIdle || FStop; });
}

void TInflateAhead::Work() {
    TFileHandleOwner volume;
    z_stream z{};
    z.zalloc = ZlibAlloc;
    z.zfree = ZlibFree;
    const bool inflater = inflateInit_(&z, ZlibFormatVersion, static_cast<int>(sizeof(z_stream))) == Z_OK;
    std::unique_lock<std::mutex> lock(FLock);
    const uint64_t ring = static_cast<uint64_t>(FBudget);
    // Where the next member would lie: after the last, or at the ring's
    // start when it would not fit before the end.
    auto placeOf = [&](int64_t Size) {
        const uint64_t at = FAllocated % ring;
        return at + static_cast<uint64_t>(Size) <= ring ? FAllocated : FAllocated + (ring - at);
    };
    for (;;) {
        // The next member worth starting, when the ring has room for it.
        auto skip = [&](const TSlot& Slot) {
            return !inflater || Slot.Member.Size > LargestMember || static_cast<uint64_t>(Slot.Member.Size) > ring;
        };
        while (!FStop && FNext < FSlots.size() && skip(FSlots[FNext])) FSlots[FNext++].State = asGone;
        auto mayStart = [&] {
            if (FStop || FNext >= FSlots.size() || skip(FSlots[FNext])) return true;
            const int64_t size = FSlots[FNext].Member.Size;
            return placeOf(size) + static_cast<uint64_t>(size) - FReleased <= ring;
        };
        while (!mayStart()) {
            FIdle = true;
            FChanged.notify_all();
            FChanged.wait(lock);
        }
        if (FStop || FNext >= FSlots.size()) {
            FIdle = FEnded = true;
            FChanged.notify_all();
            break;
        }
        if (skip(FSlots[FNext])) continue;
        FIdle = false;
        const size_t s = FNext++;
        TSlot& slot = FSlots[s];
        slot.State = asRunning;
        slot.Start = placeOf(slot.Member.Size);
        slot.End = slot.Start + static_cast<uint64_t>(slot.Member.Size);
        FAllocated = slot.End;
        const TAheadMember member = slot.Member;
        uint8_t* out = FRing.get() + slot.Start % ring;
        lock.unlock();
        if (!volume.Valid()) volume.Reset(FileOpenRead(FVolume));
        const bool ok = volume.Valid() && Inflate(member, volume.Get(), out, &z);
        lock.lock();
        if (ok && s >= FCursor) {
            slot.State = asDone;
        } else {
            Release(slot);
            slot.State = asGone;
        }
        FChanged.notify_all();
    }
    lock.unlock();
    if (inflater) inflateEnd(&z);
}

bool TInflateAhead::Inflate(const TAheadMember& Member, intptr_t Volume, uint8_t* Out, void* Stream) {
    z_stream& z = *static_cast<z_stream*>(Stream);
    const int64_t start = FOffset + Member.DataPos, end = FOffset + Member.LastBytePos + 1;
    if (Member.DataPos < 0 || end < start || FileSeek(Volume, start, soFromBeginning) != start) return false;
    if (inflateReset(&z) != Z_OK) return false;
    uint8_t in[ReadBlock];
    uint8_t spare = 0;  // a byte beyond the recorded size means damage
    int64_t pos = start;
    z.next_out = Out;
    z.avail_out = static_cast<uInt>(Member.Size);
    for (;;) {
        if (FStop) return false;
        if (z.avail_in == 0) {
            const int64_t want = std::min<int64_t>(ReadBlock, end - pos);
            if (want <= 0) return false;  // the stream did not end in its bytes
            const int32_t n = FileRead(Volume, in, static_cast<int32_t>(want));
            if (n <= 0) return false;
            pos += n;
            z.next_in = in;
            z.avail_in = static_cast<uInt>(n);
        }
        if (z.avail_out == 0) {
            if (z.next_out == &spare + 1) return false;
            z.next_out = &spare;
            z.avail_out = 1;
        }
        const int r = inflate(&z, Z_NO_FLUSH);
        if (r == Z_STREAM_END) return z.next_out != &spare + 1 && z.total_out == static_cast<uLong>(Member.Size);
        if (r != Z_OK && r != Z_BUF_ERROR) return false;
        if (r == Z_BUF_ERROR && z.avail_in > 0 && z.avail_out > 0) return false;
    }
}

}  // namespace vtrl
