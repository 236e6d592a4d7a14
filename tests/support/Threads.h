// Runs one call on many threads at once, for tests of one-time initialisation.
#pragma once

#include <cstddef>
#include <set>
#include <thread>
#include <vector>

namespace brindle::test {

// The distinct addresses `call` returned when made from `count` threads at the same time.
template <typename Call> std::set<const void*> addressesFromThreads(std::size_t count, Call call)
{
    std::vector<const void*> seen(count);
    {
        std::vector<std::jthread> threads;
        for (std::size_t i = 0; i < count; ++i)
            threads.emplace_back([&seen, &call, i] { seen[i] = static_cast<const void*>(call()); });
    }
    return {seen.begin(), seen.end()};
}

} // namespace brindle::test
