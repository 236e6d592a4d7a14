#include "Brindle/app/model/DriveRefresher.h"

#include <QMetaObject>

#include <memory>

namespace brindle {

DriveRefresher::DriveRefresher(QObject* parent) : QObject(parent) {}

DriveRefresher::~DriveRefresher()
{
    thread_.request_stop();
    if (thread_.joinable())
        thread_.join();
}

void DriveRefresher::start(Job job)
{
    if (running())
        return;
    thread_ = std::jthread([this, job = std::move(job)](std::stop_token stop) {
        auto refresh = std::make_shared<DriveRefresh>(job(stop));
        refresh->stopped = refresh->stopped || stop.stop_requested();
        QMetaObject::invokeMethod(
            this,
            [this, refresh] {
                thread_.join();
                emit finished(*refresh);
            },
            Qt::QueuedConnection);
    });
}

void DriveRefresher::stop() { thread_.request_stop(); }

} // namespace brindle
