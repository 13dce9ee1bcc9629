#include "connection/resolver.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace Zuno {

namespace {

using Results = asio::ip::tcp::resolver::results_type;

// Whether an io_context can still take a lookup's answer.
struct Recipient {
    std::mutex mutex;
    bool open = true;
};

// One per io_context: closes the recipient when the io_context's end shuts
// its services down.
class LookupService : public asio::execution_context::service {
public:
    static asio::execution_context::id id;

    explicit LookupService(asio::execution_context& owner)
        : asio::execution_context::service(owner), recipient_(std::make_shared<Recipient>()) {}

    const std::shared_ptr<Recipient>& recipient() const { return recipient_; }

private:
    void shutdown() override {
        std::lock_guard<std::mutex> lock(recipient_->mutex);
        recipient_->open = false;
    }

    std::shared_ptr<Recipient> recipient_;
};

asio::execution_context::id LookupService::id;

// One connection's request: where its answer goes.
struct Request {
    std::string host;
    std::string service;
    std::shared_ptr<Recipient> recipient;
    asio::io_context* io;
    std::shared_ptr<ResolveDone> done;

    // Hands the answer to the io_context while it can take it, and ends the
    // work the request began; nothing when the io_context has gone.
    void answer(const std::error_code& ec, const Results& found) const {
        std::lock_guard<std::mutex> lock(recipient->mutex);
        if (!recipient->open)
            return;
        asio::post(*io, [done = done, ec, found] { (*done)(ec, found); });
        io->get_executor().on_work_finished();
    }

    // Whether the connection that asked has ended: its io_context stopped or gone.
    bool ended() const {
        std::lock_guard<std::mutex> lock(recipient->mutex);
        return !recipient->open || io->stopped();
    }
};

Results systemLookup(const std::string& host, const std::string& service, std::error_code& ec) {
    asio::io_context own; // a synchronous lookup; nothing of it outlives the call
    asio::ip::tcp::resolver resolver(own);
    return resolver.resolve(host, service, asio::ip::tcp::resolver::flags(), ec);
}

// The lookups of one window: one at a time, on a thread of its own;
// requests of other addresses wait for it, in order.
class Lookups : public std::enable_shared_from_this<Lookups> {
public:
    explicit Lookups(BlockingLookup lookup) : lookup_(std::move(lookup)) {}

    void resolve(asio::io_context& io, const std::string& host, const std::string& service, ResolveDone done) {
        Request request{host, service, asio::use_service<LookupService>(io).recipient(), &io,
                        std::make_shared<ResolveDone>(std::move(done))};
        // The lookup is work of `io`: its loop runs on until the answer has come.
        io.get_executor().on_work_started();
        std::lock_guard<std::mutex> lock(mutex_);
        dropEnded(answered_);
        dropEnded(waiting_);
        if (running_ && request.host == host_ && request.service == service_) {
            answered_.push_back(std::move(request));
            return;
        }
        waiting_.push_back(std::move(request));
        if (!running_)
            start();
    }

private:
    // Makes the first waiting request, with every other one of its address,
    // the lookup to run; mutex_ held, waiting_ not empty.
    void takeNext() {
        host_ = waiting_.front().host;
        service_ = waiting_.front().service;
        const auto same = std::stable_partition(waiting_.begin(), waiting_.end(), [&](const Request& r) {
            return r.host == host_ && r.service == service_;
        });
        answered_.assign(std::make_move_iterator(waiting_.begin()), std::make_move_iterator(same));
        waiting_.erase(waiting_.begin(), same);
        running_ = true;
    }

    // Starts the lookup thread; mutex_ held, none running, waiting_ not empty.
    void start() {
        takeNext();
        try {
            std::thread([self = shared_from_this()] { self->run(); }).detach();
        } catch (const std::system_error& e) {
            // No thread for the lookup: it fails with the reason.
            for (const Request& r : answered_)
                r.answer(e.code(), Results());
            answered_.clear();
            for (const Request& r : waiting_)
                r.answer(e.code(), Results());
            waiting_.clear();
            running_ = false;
        }
    }

    // The lookup thread: runs lookups while requests wait.
    void run() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            const std::string host = host_;
            const std::string service = service_;
            lock.unlock();
            std::error_code ec;
            const Results found = lookup_(host, service, ec);
            lock.lock();
            std::vector<Request> answered;
            answered.swap(answered_);
            dropEnded(waiting_);
            const bool more = !waiting_.empty();
            if (more)
                takeNext();
            else
                running_ = false;
            lock.unlock();
            for (const Request& r : answered)
                r.answer(ec, found);
            if (!more)
                return;
            lock.lock();
        }
    }

    // Drops the requests whose connection has ended; mutex_ held.
    template <class Requests>
    static void dropEnded(Requests& requests) {
        requests.erase(std::remove_if(requests.begin(), requests.end(), [](const Request& r) { return r.ended(); }),
                       requests.end());
    }

    const BlockingLookup lookup_;
    std::mutex mutex_;
    bool running_ = false;
    // The address being looked up, and the requests its answer goes to.
    std::string host_;
    std::string service_;
    std::vector<Request> answered_;
    // Requests of other addresses, in order.
    std::deque<Request> waiting_;
};

} // namespace

Resolver systemResolver(BlockingLookup lookup) {
    auto lookups = std::make_shared<Lookups>(lookup ? std::move(lookup) : BlockingLookup(&systemLookup));
    return [lookups](asio::io_context& io, const std::string& host, const std::string& service, ResolveDone done) {
        lookups->resolve(io, host, service, std::move(done));
    };
}

} // namespace Zuno
