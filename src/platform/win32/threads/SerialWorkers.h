#pragma once
// Work on threads of their own that runs one piece at a time, in the order it
// was started: everything that talks to the mouse (the readings, Apply,
// Reset's Apply, the completion of an Apply the mouse missed, closing the
// link). The thread that starts work never waits for it; Join (and the
// destructor) wait until all of it has finished, answering the messages other
// threads send meanwhile, as WorkerThreads::Join does.
//
// Header only, like WorkerThreads.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <utility>

#include "platform/win32/threads/WorkerThreads.h"

namespace vandir {

class SerialWorkers {
public:
    SerialWorkers() = default;
    ~SerialWorkers() { Join(); }
    SerialWorkers(const SerialWorkers&) = delete;
    SerialWorkers& operator=(const SerialWorkers&) = delete;

    // Queues work behind everything started before. False, with work not
    // run, when no thread could be started.
    bool Start(std::function<void()> work) {
        const std::lock_guard order(startMutex_);
        const uint64_t ticket = nextTicket_;
        const bool started = threads_.Start([this, ticket, work = std::move(work)] {
            WaitForTurn(ticket);
            const TurnEnd end(*this);  // the next piece runs even after an exception
            work();
        });
        if (started) {
            ++nextTicket_;
        }
        return started;
    }

    // True while work started here is running or waiting for its turn.
    bool Busy() { return threads_.Busy(); }

    // Waits until all work started here has finished.
    void Join() { threads_.Join(); }

private:
    class TurnEnd {
    public:
        explicit TurnEnd(SerialWorkers& owner) : owner_(owner) {}
        ~TurnEnd() {
            {
                const std::lock_guard lock(owner_.turnMutex_);
                ++owner_.serving_;
            }
            owner_.turn_.notify_all();
        }
        TurnEnd(const TurnEnd&) = delete;
        TurnEnd& operator=(const TurnEnd&) = delete;

    private:
        SerialWorkers& owner_;
    };

    void WaitForTurn(uint64_t ticket) {
        std::unique_lock lock(turnMutex_);
        turn_.wait(lock, [&] { return serving_ == ticket; });
    }

    std::mutex startMutex_;  // tickets in the order the threads start
    uint64_t nextTicket_ = 0;
    std::mutex turnMutex_;
    std::condition_variable turn_;
    uint64_t serving_ = 0;
    // Last: destroyed (joined) first, while the members above still exist.
    WorkerThreads threads_;
};

}  // namespace vandir
