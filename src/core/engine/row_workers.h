// The threads that share the kernel pass of a step: a persistent pool of up
// to three workers plus the calling thread (slot 0; the workers are slots
// 1..3). Rows are claimed one at a time by an atomic test-and-set; the caller waits for the workers on an atomic
// counter and the workers for the next pass on an atomic generation, each
// with a short spin and then a blocking C++20 wait, never by sleeping.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "engine/node_grid.h"

namespace elix {

class CFastKernels;

class CRowWorkers {
public:
    static constexpr int kMaxThreads = 4;

    // Starts one worker thread; std::thread's own constructor unless a
    // test replaces it (to make creation fail with std::system_error).
    using ThreadStarter = std::function<std::thread(std::function<void()>)>;
    static ThreadStarter& StartThread();

    // threadTotal counts the calling thread: 1 starts no worker. When a
    // worker cannot be created the set is not started: the workers made
    // so far are ended again and Started() is false.
    explicit CRowWorkers(int threadTotal);
    ~CRowWorkers();
    CRowWorkers(const CRowWorkers&) = delete;
    CRowWorkers& operator=(const CRowWorkers&) = delete;

    bool Started() const { return m_started; }
    int ThreadTotal() const { return static_cast<int>(m_threads.size()) + 1; }

    // Advances level n+1 of every row of grid, by the row plan fast when
    // given (it must be planned for grid) and by the reference kernels
    // otherwise; returns when all rows are done. Each row is computed by
    // the one thread that claimed it.
    void Pass(CNodeGrid& grid, const CFastKernels* fast = nullptr);

private:
    void WorkerLoop(int slot);
    void ClaimRows(int slot);

    std::vector<std::thread> m_threads;
    std::unique_ptr<std::atomic<unsigned char>[]> m_claims;
    std::size_t m_claimCount = 0;
    void AdvanceRow(int j);

    CNodeGrid* m_grid = nullptr;
    const CFastKernels* m_fast = nullptr;
    std::atomic<unsigned> m_generation{0};  // bumped for every pass
    std::atomic<int> m_pending{0};          // workers still in the pass
    std::atomic<bool> m_quit{false};
    bool m_started = true;
    void StopWorkers();
};

}  // namespace elix
