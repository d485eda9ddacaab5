// Work in chunks that finish in any order on any thread and are reported in their order.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <vector>

namespace diduzozoz::cli {

// What filling a chunk found.
enum class ChunkFill {
    kFull,  // a whole chunk; more may follow
    kLast,  // the last part of the work; nothing follows
    kNone,  // nothing: the work has ended
};

// Chunks are taken in order, one at a time under the take lock, and worked on by any number
// of threads at once. Whichever thread finishes the oldest unreported chunk reports it and
// every finished chunk after it, in order, under the report lock, so reports never overlap.
// At most `slots` chunks are out between taking and reporting: that bounds how far the work
// runs ahead of the reporting, and how much memory it holds. A slot's chunk is reused, its
// buffers with it.
template <class Chunk>
class OrderedWindow {
  public:
    explicit OrderedWindow(std::size_t slots) : m_slots(slots) {}

    // Takes chunks and works on them until the work has ended; every thread that works calls
    // it. fill(chunk, n) fills the n-th chunk (from 0) and returns a ChunkFill, work(chunk)
    // does the work, report(chunk) reports it.
    template <class Fill, class Work, class Report>
    void Run(Fill fill, Work work, Report report) {
        while (Slot* slot = Take(fill)) {
            work(slot->chunk);
            Finish(*slot, report);
        }
    }

  private:
    struct Slot {
        Chunk chunk;
        bool done = false;  // worked on, not yet reported
    };

    template <class Fill>
    Slot* Take(Fill& fill) {
        std::lock_guard takeLock(m_takeMutex);
        if (m_ended) return nullptr;
        const std::size_t n = m_taken;
        {
            std::unique_lock lock(m_reportMutex);
            m_windowMoved.wait(lock, [&] { return n < m_reported + m_slots.size(); });
        }
        Slot& slot = m_slots[n % m_slots.size()];
        const ChunkFill filled = fill(slot.chunk, n);
        if (filled != ChunkFill::kFull) m_ended = true;
        if (filled == ChunkFill::kNone) return nullptr;
        ++m_taken;
        return &slot;
    }

    template <class Report>
    void Finish(Slot& slot, Report& report) {
        std::unique_lock lock(m_reportMutex);
        slot.done = true;
        bool moved = false;
        while (m_slots[m_reported % m_slots.size()].done) {
            Slot& next = m_slots[m_reported % m_slots.size()];
            report(next.chunk);
            next.done = false;
            ++m_reported;
            moved = true;
        }
        lock.unlock();
        if (moved) m_windowMoved.notify_all();
    }

    std::vector<Slot> m_slots;
    std::mutex m_takeMutex;    // guards m_taken and m_ended
    std::mutex m_reportMutex;  // guards the slots' done, m_reported, and the reporting
    std::condition_variable m_windowMoved;
    std::size_t m_taken = 0;     // chunks taken so far
    std::size_t m_reported = 0;  // chunks reported so far
    bool m_ended = false;
};

}  // namespace diduzozoz::cli
