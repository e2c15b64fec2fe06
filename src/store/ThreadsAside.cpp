#include "store/ThreadsAside.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace opusteca::threads {

int runAside(int count, const std::function<void(int)> &work, const std::function<void()> &whileWaiting)
{
    std::mutex m;
    std::condition_variable finished;
    int running = 0;
    std::exception_ptr error;
    std::vector<std::thread> started;
    for (int i = 0; i < count; ++i) {
        try {
            const std::lock_guard<std::mutex> lock(m);
            started.emplace_back([&, i] {
                std::exception_ptr thrown;
                try {
                    work(i);
                } catch (...) {
                    thrown = std::current_exception();
                }
                const std::lock_guard<std::mutex> done(m);
                if (thrown && !error) error = thrown;
                --running;
                finished.notify_one();
            });
            ++running;
        } catch (const std::system_error &) {
            break; // no more threads to be had: fewer do the work
        }
    }
    if (started.empty()) {
        work(0);
        if (whileWaiting) whileWaiting();
        return 1;
    }
    for (;;) {
        if (whileWaiting) whileWaiting();
        std::unique_lock<std::mutex> lock(m);
        if (finished.wait_for(lock, std::chrono::milliseconds(40), [&] { return running == 0; })) break;
    }
    for (std::thread &t : started) t.join();
    if (error) std::rethrow_exception(error);
    return int(started.size());
}

} // namespace opusteca::threads
