// CheckWorker: runs a check off the main thread, one check at a time.
//
// `start` returns at once; the job runs on a thread of its own and must hold only values and
// services that are safe to use there. Every signal is emitted on the thread the worker lives on (the main
// thread), in this order: `progress` about ten times a second while files are counted, its
// count never smaller than the one before within a check; then `finished` once, with the
// outcome. `stop` asks a running check to end promptly; its outcome then says `stopped`, and
// must not be kept. Destroying the worker stops a running check and waits for its thread,
// without emitting `finished`.
#pragma once

#include "Brindle/app/model/GrantedCheck.h"

#include <QMetaType>
#include <QObject>

#include <functional>
#include <memory>
#include <stop_token>
#include <thread>

namespace brindle {

class CheckWorker final : public QObject {
    Q_OBJECT
public:
    explicit CheckWorker(QObject* parent = nullptr);
    ~CheckWorker() override;

    using Job = std::function<GrantedCheck(CheckObserver& observer, std::stop_token stop)>;

    bool running() const { return thread_.joinable(); }
    // Starts a check; does nothing while one runs.
    void start(Job job);
    void stop();

signals:
    void progress(qint64 files);
    void finished(const brindle::GrantedCheck& check);

private:
    std::jthread thread_;
};

} // namespace brindle
Q_DECLARE_METATYPE(brindle::GrantedCheck)
