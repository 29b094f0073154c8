// For tests of code that must never block on a FIFO: runs a call and tells
// whether it returned in time, releasing it if it got stuck so the test ends.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <thread>

namespace standin {

// Runs `call` on a thread of its own and answers whether it returned within
// five seconds. A reader stuck opening the FIFO `fifo` is released meanwhile,
// again and again, by opening it for writing, so that the test always ends.
inline bool FinishesWithoutWaitingOn(const std::filesystem::path& fifo, const std::function<void()>& call)
{
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    std::thread worker([&] {
        call();
        done.set_value();
    });
    const bool inTime = finished.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    while (finished.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (writer >= 0)
            ::close(writer);
    }
    worker.join();
    return inTime;
}

}  // namespace standin
