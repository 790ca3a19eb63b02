#include "model/side_by_side.h"

#include <atomic>
#include <condition_variable>
#include <csignal>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

#include <pthread.h>

namespace ormevak {

// Shared by the caller and the helpers: a helper that comes to it after the caller is done finds
// no piece left and touches nothing else.
struct SideBySide::State {
    std::vector<Piece> pieces;
    std::atomic<size_t> next{0}; // the next piece no thread has taken
    std::mutex mutex;
    std::condition_variable doneChanged;
    std::vector<char> done;
    std::vector<std::exception_ptr> errors;

    explicit State(std::vector<Piece> p)
        : pieces(std::move(p)), done(pieces.size(), 0), errors(pieces.size()) {}

    // Takes and runs the next piece; false when none is left.
    bool takeOne() {
        const size_t i = next.fetch_add(1);
        if (i >= pieces.size()) return false;
        std::exception_ptr error;
        try {
            pieces[i]();
        } catch (...) {
            error = std::current_exception();
        }
        {
            const std::lock_guard lock(mutex);
            errors[i] = error;
            done[i] = 1;
        }
        doneChanged.notify_all();
        return true;
    }

    void waitDone(size_t i) {
        std::unique_lock lock(mutex);
        doneChanged.wait(lock, [&] { return done[i] != 0; });
    }

    // The pieces taken so far (a count past the end means all).
    size_t taken() const { return std::min(next.load(), pieces.size()); }
};

namespace {

// Threads kept for the whole program, each taking the next posted share of work. A share holds
// its pieces' state, so one taken after its caller is done finds nothing left and costs nothing.
// Never destroyed: a helper may still be waiting when the program ends.
class Helpers {
  public:
    static Helpers& get() {
        static Helpers* const helpers = new Helpers;
        return *helpers;
    }
    // False when no helper thread could be started: the caller does the work alone.
    bool post(std::function<void()> share, int count) {
        if (threads_ == 0) return false;
        {
            const std::lock_guard lock(mutex_);
            for (int i = 0; i < count; ++i) shares_.push_back(share);
        }
        for (int i = 0; i < count; ++i) posted_.notify_one();
        return true;
    }

  private:
    static constexpr int kThreads = 2;

    Helpers() {
        // A signal sent to the program (a stop while a file is written) is taken by a thread of
        // its own, never by a helper while the others go on: the helpers start with every signal
        // blocked, as a thread takes its mask from the thread that starts it.
        sigset_t all, before;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, &before);
        for (int i = 0; i < kThreads; ++i) {
            try {
                std::thread([this] { run(); }).detach();
                ++threads_;
            } catch (const std::system_error&) {
                break;
            }
        }
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
    }
    [[noreturn]] void run() {
        for (;;) {
            std::function<void()> share;
            {
                std::unique_lock lock(mutex_);
                posted_.wait(lock, [this] { return !shares_.empty(); });
                share = std::move(shares_.front());
                shares_.pop_front();
            }
            share();
        }
    }

    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> shares_;
    int threads_ = 0;
};

} // namespace

SideBySide::SideBySide(std::vector<Piece> pieces, int helpers)
    : state_(std::make_shared<State>(std::move(pieces))) {
    Helpers::get().post(
        [state = state_] {
            while (state->takeOne()) {
            }
        },
        helpers);
}

SideBySide::~SideBySide() {
    const size_t taken =
        std::min(state_->next.exchange(state_->pieces.size()), state_->pieces.size());
    for (size_t i = 0; i < taken; ++i) state_->waitDone(i);
}

void SideBySide::wait(size_t i) {
    while (state_->taken() <= i && state_->takeOne()) {
    }
    state_->waitDone(i);
    if (state_->errors[i]) std::rethrow_exception(state_->errors[i]);
}

void SideBySide::finish() {
    while (state_->takeOne()) {
    }
    for (size_t i = 0; i < state_->pieces.size(); ++i) state_->waitDone(i);
    for (const std::exception_ptr& e : state_->errors)
        if (e) std::rethrow_exception(e);
}

void inBackground(std::function<void()> job) {
    if (!Helpers::get().post(job, 1)) job();
}

} // namespace ormevak
