#include "Brindle/app/model/CheckWorker.h"

#include <QMetaObject>

namespace brindle {

namespace {
// Carries the check's reports to the worker's thread. Events posted to a worker that has
// gone are dropped by Qt, so they never reach a destroyed object.
class Relay final : public CheckObserver {
public:
    explicit Relay(CheckWorker* worker) : worker_(worker) {}
    void filesSeen(std::int64_t files) override
    {
        QMetaObject::invokeMethod(
            worker_, [worker = worker_, files] { emit worker->progress(files); }, Qt::QueuedConnection);
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

void CheckWorker::start(Job job)
{
    if (running())
        return;
    thread_ = std::jthread([this, job = std::move(job)](std::stop_token stop) {
        Relay relay(this);
        auto check = std::make_shared<GrantedCheck>(job(relay, stop));
        QMetaObject::invokeMethod(
            this,
            [this, check] {
                thread_.join();
                emit finished(*check);
            },
            Qt::QueuedConnection);
    });
}

void CheckWorker::stop() { thread_.request_stop(); }

} // namespace brindle
