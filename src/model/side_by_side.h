// Independent pieces of work done at once by the calling thread and helper threads.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace ormevak {

// Every thread takes the next piece no thread has taken, in the order given (put the longest
// first). A helper is not bound to a piece when it is started: one that is slow to start (a
// core left idle can take a millisecond or more to wake) leaves the pieces to the threads that
// are running instead of holding the result back, and the calling thread does them all when no
// helper can be started.
class SideBySide {
  public:
    using Piece = std::function<void()>;

    // Posts the pieces to `helpers` of the program's two helper threads.
    SideBySide(std::vector<Piece> pieces, int helpers);
    // Pieces no thread has taken are dropped and those taken are waited for: no piece runs on
    // after the data it reads is gone.
    ~SideBySide();
    SideBySide(const SideBySide&) = delete;
    SideBySide& operator=(const SideBySide&) = delete;

    // Waits until piece `i` is done, taking pieces on the calling thread meanwhile while there
    // are any before it; rethrows the error the piece ended with.
    void wait(size_t i);
    // Takes pieces on the calling thread until none is left and waits for the others; rethrows
    // the error of the first piece, in the order given, that ended with one.
    void finish();

  private:
    struct State;
    std::shared_ptr<State> state_;
};

// Runs `job` on a helper thread when one is free, without waiting for it (at once on the calling
// thread when no helper can be started): for work that nothing waits on, such as letting go of
// a mapped file's pages.
void inBackground(std::function<void()> job);

} // namespace ormevak
