#pragma once
// Work over a list spread on several threads while its results are taken in
// list order on the calling thread: the check run and the search both read a
// bank file by file this way, so that their output is the same for any number
// of workers.
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace quizloom::parallel {

// The threads for count items: asked, or one per processor core for 0,
// never more than the items and never fewer than one.
unsigned workerCount(unsigned asked, std::size_t count);

// Calls work(i) for every i below count, on `workers` threads (as
// workerCount gives them), and take(i, result) on the calling thread for
// i = 0, 1, ... in order. take returning false ends the run: items workers
// did ahead of it are dropped. Workers run at most 2 * workers items ahead of
// take, so that results waiting for it stay few. A failure of work is
// rethrown here, once the workers have stopped.
template <class Result>
void orderedRun(std::size_t count, unsigned workers, const std::function<Result(std::size_t)>& work,
                const std::function<bool(std::size_t, Result)>& take);

namespace detail {

template <class Result> class OrderedRun {
public:
    OrderedRun(std::size_t count, unsigned workers, const std::function<Result(std::size_t)>& work)
        : work_(work), count_(count), done_(count), aheadLimit_(2 * std::size_t{workers}) {
        for (unsigned i = 0; i < workers; ++i)
            threads_.emplace_back([this] { run(); });
    }
    ~OrderedRun() {
        {
            const std::lock_guard lock(mutex_);
            cancelled_ = true;
        }
        changed_.notify_all();
        for (std::thread& thread : threads_)
            thread.join();
    }
    OrderedRun(const OrderedRun&) = delete;
    OrderedRun& operator=(const OrderedRun&) = delete;

    // The result of item index, once done; rethrows a worker's failure.
    Result wait(std::size_t index) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return done_[index].has_value() || failure_; });
        if (failure_)
            std::rethrow_exception(failure_);
        Result result = std::move(*done_[index]);
        done_[index].reset();
        taken_ = index + 1;
        lock.unlock();
        changed_.notify_all();
        return result;
    }

private:
    void run() {
        for (;;) {
            std::size_t index = 0;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return cancelled_ || next_ < taken_ + aheadLimit_; });
                if (cancelled_ || next_ >= count_)
                    return;
                index = next_++;
            }
            try {
                Result result = work_(index);
                const std::lock_guard lock(mutex_);
                done_[index] = std::move(result);
            } catch (...) {
                const std::lock_guard lock(mutex_);
                failure_ = std::current_exception();
            }
            changed_.notify_all();
        }
    }

    const std::function<Result(std::size_t)>& work_;
    const std::size_t count_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<Result>> done_;
    std::size_t next_ = 0;
    std::size_t taken_ = 0;
    const std::size_t aheadLimit_;
    bool cancelled_ = false;
    std::exception_ptr failure_;
    std::vector<std::thread> threads_;
};

} // namespace detail

template <class Result>
void orderedRun(std::size_t count, unsigned workers, const std::function<Result(std::size_t)>& work,
                const std::function<bool(std::size_t, Result)>& take) {
    workers = workerCount(workers, count);
    if (workers == 1) {
        for (std::size_t i = 0; i < count; ++i)
            if (!take(i, work(i)))
                return;
        return;
    }
    detail::OrderedRun<Result> run(count, workers, work);
    for (std::size_t i = 0; i < count; ++i)
        if (!take(i, run.wait(i)))
            return;
}

} // namespace quizloom::parallel
