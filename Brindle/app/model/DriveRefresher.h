// DriveRefresher: reads the backup drives again off the main thread, one reading at a time.
//
// `start` returns at once; the job runs on a thread of its own and must hold only values and
// services that are safe to use there. `finished` is emitted once per reading, on the thread
// the refresher lives on (the main thread). `stop` asks a running reading to end; its outcome
// then says `stopped`, and must not be kept. Destroying the refresher stops a running reading
// and waits for its thread, without emitting `finished`.
#pragma once

#include "Brindle/app/model/DriveReader.h"
#include "BrindleCore/DriveState.h"

#include <QObject>

#include <functional>
#include <stop_token>
#include <thread>
#include <vector>

namespace brindle {

struct DriveRefresh {
    std::vector<DriveState> states; // as readDrives gives them
    DriveMemory memory;             // the drives' memory, renewed
    bool stopped = false;
};

class DriveRefresher final : public QObject {
    Q_OBJECT
public:
    explicit DriveRefresher(QObject* parent = nullptr);
    ~DriveRefresher() override;

    using Job = std::function<DriveRefresh(std::stop_token stop)>;

    bool running() const { return thread_.joinable(); }
    // Starts a reading; does nothing while one runs.
    void start(Job job);
    void stop();

signals:
    void finished(const brindle::DriveRefresh& refresh);

private:
    std::jthread thread_;
};

} // namespace brindle
