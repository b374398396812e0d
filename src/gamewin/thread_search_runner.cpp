#include "gamewin/thread_search_runner.h"

#include <QMetaObject>
#include <QPointer>

namespace tomelin {

ThreadSearchRunner::ThreadSearchRunner(QObject* parent) : QObject(parent) {}

ThreadSearchRunner::~ThreadSearchRunner() {
    cancel();
    join();
}

void ThreadSearchRunner::join() {
    if (m_worker.joinable())
        m_worker.join();
}

void ThreadSearchRunner::cancel() {
    ++m_generation;
    if (m_stop)
        m_stop->store(true);
}

void ThreadSearchRunner::releaseTables() {
    cancel();
    join();  // the tables are the worker's while it searches
    m_search.release();
}

void ThreadSearchRunner::begin(const SearchRequest& request, Done done, Progress progress) {
    cancel();
    join();  // a stopped search ends within a few hundred nodes
    const std::uint64_t generation = ++m_generation;
    auto stop = std::make_shared<std::atomic<bool>>(false);
    m_stop = stop;
    QPointer<ThreadSearchRunner> self(this);
    // Runs on the window's thread: only the current generation may answer.
    auto deliver = [self, generation](auto call) {
        QMetaObject::invokeMethod(
            self.data(),
            [self, generation, call = std::move(call)]() mutable {
                if (self && self->m_generation == generation)
                    call();
            },
            Qt::QueuedConnection);
    };
    m_worker = std::thread([this, request, done = std::move(done),
                            progress = std::move(progress), stop, deliver]() {
        const SearchReport report = m_search.search(
            request.position, request.logic, {request.maxDepth, request.timeMs}, stop.get(),
            nullptr, [&](const SearchReport& r) {
                if (progress) {
                    const int depth = r.depth;
                    deliver([progress, ticket = request.ticket, depth] {
                        progress(ticket, depth);
                    });
                }
            });
        if (!stop->load())
            deliver([done, ticket = request.ticket, report] { done(ticket, report); });
    });
}

}  // namespace tomelin
