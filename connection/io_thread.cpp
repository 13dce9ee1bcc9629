#include "connection/io_thread.h"

#include <thread>

#include <QDateTime>
#include <QDebug>

#include "connection/guarded.h"
#include "protocol/date_time_text.h"

namespace Zuno {

void run_io_context(asio::io_context& io) {
    while (!guarded("io thread:", [&] { io.run(); })) {
    }
}

void IoThreads::start(const std::shared_ptr<IoThreads>& threads, std::shared_ptr<asio::io_context> io) {
    {
        std::lock_guard<std::mutex> lock(threads->mutex_);
        ++threads->running_;
    }
    try {
        std::thread([threads, io = std::move(io)]() mutable {
            run_io_context(*io);
            qDebug() << dateTimeText(QDateTime::currentDateTime())
                     << QStringLiteral("io_context runloop is finished!");
            io.reset();
            threads->ended();
        }).detach();
    } catch (...) {
        threads->ended(); // no thread was made
        throw;
    }
}

void IoThreads::ended() {
    std::lock_guard<std::mutex> lock(mutex_);
    --running_;
    idle_.notify_all();
}

bool IoThreads::waitIdle(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    return idle_.wait_for(lock, timeout, [this] { return running_ == 0; });
}

int IoThreads::running() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return running_;
}

} // namespace Zuno
