#include "Brindle/app/model/CheckWorker.h"

#include <QMetaObject>
#include <QPointer>

namespace brindle {

namespace {
// Carries the check's reports to the worker's thread. Events posted to a worker that has
// gone are dropped by Qt, so they never reach a destroyed object.
class Relay final : public CheckObserver {
public:
    explicit Relay(CheckWorker* worker) : worker_(worker) {}
    void filesSeen(std::int64_t files) override
    {
        QMetaObject::invokeMethod(worker_, [worker = worker_, files] { emit worker->progress(files); },
                                  Qt::QueuedConnection);
    }

private:
    CheckWorker* worker_;
};
} // namespace

CheckWorker::CheckWorker(QObject* parent) : QObject(parent) {}

CheckWorker::~CheckWorker()
{
    thread_.request_stop();
    if (thread_.joinable())
        thread_.join();
}

void CheckWorker::start(CheckRequest request)
{
    if (running())
        return;
    thread_ = std::jthread([this, request = std::move(request)](std::stop_token stop) {
        Relay relay(this);
        auto outcome = std::make_shared<CheckOutcome>(Check::run(request, relay, stop));
        QMetaObject::invokeMethod(
            this,
            [this, outcome] {
                thread_.join();
                emit finished(*outcome);
            },
            Qt::QueuedConnection);
    });
}

void CheckWorker::stop() { thread_.request_stop(); }

} // namespace brindle
