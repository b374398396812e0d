#pragma once
// "PC Velmistr" thinks on a worker thread: the search runs there, its depths and its answer
// come back to the window's thread as queued calls. A cancelled search stops within a
// fraction of a millisecond, and nothing it still had on its way is delivered.

#include <QObject>
#include <atomic>
#include <memory>
#include <thread>

#include "core/search_runner.h"

namespace tomelin {

class ThreadSearchRunner : public QObject, public SearchRunner {
    Q_OBJECT
public:
    explicit ThreadSearchRunner(QObject* parent = nullptr);
    ~ThreadSearchRunner() override;

    void begin(const SearchRequest& request, Done done, Progress progress) override;
    void cancel() override;
    void releaseTables() override;

private:
    void join();

    MasterSearch m_search;
    std::thread m_worker;
    std::shared_ptr<std::atomic<bool>> m_stop;
    // Only touched on the window's thread: answers of older generations are dropped.
    std::uint64_t m_generation = 0;
};

}  // namespace tomelin
