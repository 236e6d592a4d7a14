// The check worker: progress and the outcome arrive on the main thread, in order; a stop
// ends the check early; a worker destroyed mid-check waits for its thread and emits nothing.
#include "Brindle/app/model/CheckWorker.h"
#include "tests/support/TestTree.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

namespace brindle {
namespace {

using test::Node;
using test::TestTree;

CheckWorker::Job jobFor(const TestTree& tree)
{
    CheckRequest request;
    request.folders = {{"A", tree.path("A")}};
    request.now = Instant{tree.now()};
    return [request](CheckObserver& observer, std::stop_token stop) {
        return GrantedCheck{Check::run(request, observer, std::move(stop)), {}, {}};
    };
}

std::vector<std::pair<std::string, Node>> manyFiles(int count)
{
    std::vector<std::pair<std::string, Node>> nodes;
    for (int i = 0; i < count; ++i)
        nodes.push_back({"A/d" + std::to_string(i % 200) + "/f" + std::to_string(i), Node::file(1)});
    return nodes;
}

TEST(CheckWorker, ReportsOnTheMainThreadAndFinishesOnce)
{
    const TestTree tree(manyFiles(3000));
    CheckWorker worker;
    std::vector<qint64> counts;
    QObject::connect(&worker, &CheckWorker::progress, &worker, [&](qint64 files) {
        EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
        counts.push_back(files);
    });
    QSignalSpy finished(&worker, &CheckWorker::finished);
    worker.start(jobFor(tree));
    EXPECT_TRUE(worker.running());
    ASSERT_TRUE(finished.wait(20'000));
    EXPECT_FALSE(worker.running());
    EXPECT_EQ(finished.count(), 1);
    const auto outcome = finished.at(0).at(0).value<GrantedCheck>().outcome;
    EXPECT_FALSE(outcome.stopped);
    EXPECT_EQ(outcome.result.total().files, 3000);
    ASSERT_FALSE(counts.empty());
    EXPECT_TRUE(std::is_sorted(counts.begin(), counts.end()));
    EXPECT_EQ(counts.back(), 3000);
}

TEST(CheckWorker, StopsWhenAskedAndWhenDestroyed)
{
    const TestTree tree(manyFiles(20000));
    {
        CheckWorker worker;
        QSignalSpy finished(&worker, &CheckWorker::finished);
        worker.start(jobFor(tree));
        worker.stop();
        ASSERT_TRUE(finished.wait(20'000));
        EXPECT_TRUE(finished.at(0).at(0).value<GrantedCheck>().outcome.stopped);
    }
    auto worker = std::make_unique<CheckWorker>();
    QSignalSpy finished(worker.get(), &CheckWorker::finished);
    worker->start(jobFor(tree));
    worker.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(finished.count(), 0);
}

} // namespace
} // namespace brindle
