#include "engine/row_workers.h"

#include <algorithm>

#include "engine/kernels.h"

namespace elix {

CRowWorkers::CRowWorkers(int threadTotal) {
    const int workers = std::clamp(threadTotal, 1, kMaxThreads) - 1;
    for (int k = 0; k < workers; ++k) m_threads.emplace_back([this] { WorkerLoop(); });
}

CRowWorkers::~CRowWorkers() {
    m_quit.store(true, std::memory_order_release);
    m_generation.fetch_add(1, std::memory_order_acq_rel);
    m_generation.notify_all();
    for (std::thread& t : m_threads) t.join();
}

void CRowWorkers::ClaimRows() {
    CNodeGrid& grid = *m_grid;
    for (int j = 0; j <= grid.ny; ++j) {
        // Test-and-set: the thread that turns the claim from 0 to 1 owns
        // the row for this pass.
        if (m_claims[static_cast<std::size_t>(j)].exchange(1, std::memory_order_acq_rel) != 0) continue;
        AdvanceRows(grid, j, j);
    }
}

void CRowWorkers::WorkerLoop() {
    // Passes bump the generation from 0 on, and no pass starts before every
    // worker exists, so 0 is the generation a new worker has seen.
    unsigned seen = 0;
    for (;;) {
        m_generation.wait(seen, std::memory_order_acquire);
        seen = m_generation.load(std::memory_order_acquire);
        if (m_quit.load(std::memory_order_acquire)) return;
        ClaimRows();
        if (m_pending.fetch_sub(1, std::memory_order_acq_rel) == 1) m_pending.notify_one();
    }
}

void CRowWorkers::Pass(CNodeGrid& grid) {
    if (m_threads.empty()) {
        AdvanceRows(grid, 0, grid.ny);
        return;
    }
    const auto rows = static_cast<std::size_t>(grid.ny + 1);
    if (m_claimCount != rows) {
        m_claims = std::make_unique<std::atomic<unsigned char>[]>(rows);
        m_claimCount = rows;
    }
    for (std::size_t j = 0; j < rows; ++j) m_claims[j].store(0, std::memory_order_relaxed);
    m_grid = &grid;
    m_pending.store(static_cast<int>(m_threads.size()), std::memory_order_release);
    m_generation.fetch_add(1, std::memory_order_acq_rel);
    m_generation.notify_all();
    ClaimRows();
    for (int pending = m_pending.load(std::memory_order_acquire); pending != 0;
         pending = m_pending.load(std::memory_order_acquire))
        m_pending.wait(pending, std::memory_order_acquire);
}

}  // namespace elix
