#include "engine/row_workers.h"

#include <algorithm>
#include <system_error>

#include "engine/fast_kernels.h"
#include "engine/kernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace elix {
namespace {

// A hint to the core that this thread is spinning.
inline void CpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
    _mm_pause();
#endif
}

// Waits until value differs from old: a short spin first (the other
// threads usually finish within microseconds of each other), then a
// blocking wait that the writer's notify ends.
template <class T>
void SpinThenWait(const std::atomic<T>& value, T old) {
    constexpr int kSpins = 4000;
    for (int k = 0; k < kSpins; ++k) {
        if (value.load(std::memory_order_acquire) != old) return;
        CpuRelax();
    }
    while (value.load(std::memory_order_acquire) == old) value.wait(old, std::memory_order_acquire);
}

}  // namespace

CRowWorkers::ThreadStarter& CRowWorkers::StartThread() {
    static ThreadStarter starter;
    return starter;
}

CRowWorkers::CRowWorkers(int threadTotal) {
    const int workers = std::clamp(threadTotal, 1, kMaxThreads) - 1;
    try {
        for (int k = 0; k < workers; ++k) {
            std::function<void()> body = [this, k] { WorkerLoop(k + 1); };
            if (StartThread())
                m_threads.push_back(StartThread()(std::move(body)));
            else
                m_threads.emplace_back(std::move(body));
        }
    } catch (const std::system_error&) {
        m_started = false;
        StopWorkers();
    }
}

CRowWorkers::~CRowWorkers() { StopWorkers(); }

void CRowWorkers::StopWorkers() {
    m_quit.store(true, std::memory_order_release);
    m_generation.fetch_add(1, std::memory_order_acq_rel);
    m_generation.notify_all();
    for (std::thread& t : m_threads) t.join();
    m_threads.clear();
}

void CRowWorkers::AdvanceRow(int j) {
    if (m_fast)
        m_fast->AdvanceRows(*m_grid, j, j);
    else
        AdvanceRows(*m_grid, j, j);
}

void CRowWorkers::ClaimRows(int slot) {
    // Each thread walks all rows, but from its own share of the grid on
    // (slot k of T starts at row k * rows / T and wraps round): the threads
    // then mostly work on separate blocks of neighbouring rows, so each
    // brings the rows its stencils share into its own cache once, and the
    // claims meet, still one row at a time, only where the blocks end.
    const int rows = m_grid->ny + 1;
    const int start = static_cast<int>(static_cast<long>(slot) * rows / ThreadTotal());
    for (int walked = 0; walked < rows; ++walked) {
        const int j = (start + walked) % rows;
        // Test-and-set: the thread that turns the claim from 0 to 1 owns
        // the row for this pass. A plain load first spares the cache line
        // a write when another thread has the row already.
        std::atomic<unsigned char>& claim = m_claims[static_cast<std::size_t>(j)];
        if (claim.load(std::memory_order_relaxed) != 0) continue;
        if (claim.exchange(1, std::memory_order_acq_rel) != 0) continue;
        AdvanceRow(j);
    }
}

void CRowWorkers::WorkerLoop(int slot) {
    // Passes bump the generation from 0 on, and no pass starts before every
    // worker exists, so 0 is the generation a new worker has seen.
    unsigned seen = 0;
    for (;;) {
        SpinThenWait(m_generation, seen);
        seen = m_generation.load(std::memory_order_acquire);
        if (m_quit.load(std::memory_order_acquire)) return;
        ClaimRows(slot);
        if (m_pending.fetch_sub(1, std::memory_order_acq_rel) == 1) m_pending.notify_one();
    }
}

void CRowWorkers::Pass(CNodeGrid& grid, const CFastKernels* fast) {
    m_grid = &grid;
    m_fast = fast;
    if (m_threads.empty()) {
        for (int j = 0; j <= grid.ny; ++j) AdvanceRow(j);
        return;
    }
    const auto rows = static_cast<std::size_t>(grid.ny + 1);
    if (m_claimCount != rows) {
        m_claims = std::make_unique<std::atomic<unsigned char>[]>(rows);
        m_claimCount = rows;
    }
    for (std::size_t j = 0; j < rows; ++j) m_claims[j].store(0, std::memory_order_relaxed);
    m_pending.store(static_cast<int>(m_threads.size()), std::memory_order_release);
    m_generation.fetch_add(1, std::memory_order_acq_rel);
    m_generation.notify_all();
    ClaimRows(0);
    for (int pending = m_pending.load(std::memory_order_acquire); pending != 0;
         pending = m_pending.load(std::memory_order_acquire))
        SpinThenWait(m_pending, pending);
}

}  // namespace elix
