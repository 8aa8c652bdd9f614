// TInflateAhead: the worker that inflates an archive's members ahead of the
// extraction, bounded by a memory budget, and the extraction's hand-over.
#include "cmp_TInflateAhead.h"

#include <algorithm>
#include <numeric>

#include "FileShim.h"
#include "SysUtils.h"
#include "routines_Inflate.h"

namespace vtrl {

namespace {

// The compressed bytes are read in blocks of this size.
constexpr int32_t ReadBlock = 65536;

}  // namespace

TInflateAhead::TInflateAhead(std::string Volume, int64_t Offset, std::vector<TAheadMember> Members, int64_t Budget)
    : FVolume(std::move(Volume)), FOffset(Offset), FBudget(Budget) {
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
    try {
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

void TInflateAhead::Drop(TSlot& Slot) {
    if (Slot.Data) FHeld -= Slot.Member.Size;
    Slot.Data.reset();
    Slot.State = asGone;
}

std::unique_ptr<std::vector<uint8_t>> TInflateAhead::Take(size_t Index) {
    std::unique_lock<std::mutex> lock(FLock);
    if (Index >= FSlotOf.size()) {
        ++FMisses;
        return nullptr;
    }
    const size_t s = FSlotOf[Index];
    // What lies before it was skipped by the extraction: it goes, and its
    // memory lets the worker run on.
    for (size_t k = FCursor; k < s; ++k)
        if (FSlots[k].State != asRunning) Drop(FSlots[k]);
    if (s >= FNext) {
        // Not reached yet: the extraction does it while the worker goes on
        // with the members after it.
        for (size_t k = FNext; k < s; ++k) FSlots[k].State = asGone;
        FSlots[s].State = asGone;
        FNext = s + 1;
    }
    // From here on the worker drops what it finishes before this member.
    FCursor = std::max(FCursor, s);
    FChanged.wait(lock, [&] { return FSlots[s].State != asRunning; });
    std::unique_ptr<std::vector<uint8_t>> data = std::move(FSlots[s].Data);
    if (data) FHeld -= FSlots[s].Member.Size;
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
    std::unique_lock<std::mutex> lock(FLock);
    for (;;) {
        // The next member worth starting, when the budget holds it.
        while (!FStop && FNext < FSlots.size() && FSlots[FNext].Member.Size > LargestMember)
            FSlots[FNext++].State = asGone;
        auto mayStart = [&] {
            return FStop || FNext >= FSlots.size() || FSlots[FNext].Member.Size > LargestMember ||
                   FHeld + FSlots[FNext].Member.Size <= FBudget;
        };
        while (!mayStart()) {
            FIdle = true;
            FChanged.notify_all();
            FChanged.wait(lock);
        }
        if (FStop || FNext >= FSlots.size()) {
            FIdle = FEnded = true;
            FChanged.notify_all();
            return;
        }
        FIdle = false;
        if (FSlots[FNext].Member.Size > LargestMember) continue;
        const size_t s = FNext++;
        TSlot& slot = FSlots[s];
        slot.State = asRunning;
        FHeld += slot.Member.Size;  // reserved while it is inflated
        const TAheadMember member = slot.Member;
        lock.unlock();
        if (!volume.Valid()) volume.Reset(FileOpenRead(FVolume));
        std::unique_ptr<std::vector<uint8_t>> data = volume.Valid() ? Inflate(member, volume.Get()) : nullptr;
        lock.lock();
        if (data && s >= FCursor) {
            slot.Data = std::move(data);
        } else {
            FHeld -= member.Size;
        }
        slot.State = slot.Data ? asDone : asGone;
        FChanged.notify_all();
    }
}

std::unique_ptr<std::vector<uint8_t>> TInflateAhead::Inflate(const TAheadMember& Member, intptr_t Volume) {
    const int64_t start = FOffset + Member.DataPos, end = FOffset + Member.LastBytePos + 1;
    if (Member.DataPos < 0 || end < start || FileSeek(Volume, start, soFromBeginning) != start) return nullptr;
    auto out = std::make_unique<std::vector<uint8_t>>();
    out->reserve(static_cast<size_t>(Member.Size));
    int64_t pos = start;
    try {
        const bool complete = InflateStream(
            [&](uint8_t* Buffer, int32_t Count) -> int32_t {
                const int64_t want = std::min<int64_t>({Count, ReadBlock, end - pos});
                if (want <= 0) return 0;
                const int32_t n = FileRead(Volume, Buffer, static_cast<int32_t>(want));
                if (n < 0) throw Exception("read error");
                pos += n;
                return n;
            },
            [&](const uint8_t* Data, int32_t Count) {
                if (Count > Member.Size - static_cast<int64_t>(out->size())) throw Exception("too long");
                out->insert(out->end(), Data, Data + Count);
            },
            [&] {
                if (FStop) throw Exception("stopped");
            });
        if (!complete || static_cast<int64_t>(out->size()) != Member.Size) return nullptr;
    } catch (const std::exception&) {
        // The extraction meets the same fault and reports it with its place.
        return nullptr;
    }
    return out;
}

}  // namespace vtrl
