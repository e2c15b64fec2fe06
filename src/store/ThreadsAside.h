#pragma once
#include <functional>

namespace opusteca::threads {

// Runs work(0) to work(count - 1), each on a thread of its own, while the
// calling thread waits: it calls whileWaiting (when given) at once and then
// about every 40 ms until every thread is done, so a screen stays painted.
// Threads the system will not give are not started; when it gives none, work(0)
// runs on the calling thread. Returns how many ran: work(0) to work(ran - 1).
// An exception a work lets out is thrown again here once every thread is done.
int runAside(int count, const std::function<void(int)> &work, const std::function<void()> &whileWaiting);

} // namespace opusteca::threads
