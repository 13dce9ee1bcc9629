#include "connection/resolver.h"

#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace Zuno {

namespace {

// Whether an io_context can still take a lookup's answer. The system's
// lookup cannot be cancelled and a silent name server holds it for many
// seconds: it runs on a thread of its own that nobody waits for, and its
// answer goes to the io_context only while that exists.
struct Recipient {
    std::mutex mutex;
    bool open = true;
};

// One per io_context: closes the recipient when the io_context goes.
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

} // namespace

void systemResolve(asio::io_context& io, const std::string& host, const std::string& service, ResolveDone done) {
    std::shared_ptr<Recipient> recipient = asio::use_service<LookupService>(io).recipient();
    auto answer = std::make_shared<ResolveDone>(std::move(done));
    // The lookup is work of `io`: its loop runs on until the answer has come.
    io.get_executor().on_work_started();
    try {
        std::thread([recipient, to = &io, host, service, answer] {
            asio::io_context own; // a synchronous lookup; nothing of it outlives this thread
            asio::ip::tcp::resolver resolver(own);
            std::error_code ec;
            auto found = resolver.resolve(host, service, asio::ip::tcp::resolver::flags(), ec);
            std::lock_guard<std::mutex> lock(recipient->mutex);
            if (!recipient->open)
                return; // the connection has ended, and its io_context with it
            asio::post(*to, [answer, ec, found = std::move(found)] { (*answer)(ec, found); });
            to->get_executor().on_work_finished();
        }).detach();
    } catch (const std::system_error& e) {
        // No thread for the lookup: it fails with the reason.
        asio::post(io, [answer, ec = e.code()] { (*answer)(ec, {}); });
        io.get_executor().on_work_finished();
    }
}

} // namespace Zuno
